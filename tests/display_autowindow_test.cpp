// The automatic window: its rule on 8-, 12-, 16-bit and RGB images loaded from files, the
// command's refusals, and the stored values the tooltips name.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/messages.h"
#include "decode/readfile.h"
#include "display/autowindow.h"
#include "display/greymap.h"
#include "display/histogram.h"
#include "display/intensity.h"
#include "display/valuetips.h"
#include "tests/decode_fixture.h"

namespace vtr {
namespace {

using Value = std::function<int(int x, int y)>;  // a pixel's value, x and y from 1

// Noise and spots of a camera frame, the same on every run.
int camera(int x, int y) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
  h = (h ^ (h >> 13)) * 1274126177u;
  const int noise = static_cast<int>((h >> 8) % 101) - 50;  // -50..50
  const int dx = x % 80 - 40, dy = y % 80 - 40;             // a spot every 80 pixels
  const int r2 = dx * dx + dy * dy;
  const int spot = r2 < 16 ? 3000 - 150 * r2 : 0;
  return 600 + noise + spot;
}

class AutoWindowTest : public test::DecodeFixture {
 protected:
  // Loads a w x l image of the given depth (RGB: 8-bit grey pixels v, v, v) through get image.
  void load(int bits, bool rgb, int w, int l, const Value& value) {
    test::SampleImage im{w, l, bits, rgb ? 2 : 1, false, {}};
    for (int y = 1; y <= l; ++y)
      for (int x = 1; x <= w; ++x)
        for (int c = 0; c < im.perpixel(); ++c)
          im.samples.push_back(static_cast<std::uint16_t>(value(x, y)));
    file = std::make_unique<test::TempFile>(im.tiff_file());
    tk.dialog_answers = {file->path()};
    getimage_button_Click(app);
    ASSERT_EQ(app.header.headervalid, kTrue);
  }
  // Percent of the full-resolution pixels at grey level g under the sliders, and the grey
  // level of the median value, by the paint's own mapping.
  double percentat(int g) const {
    const GreyMap map = mapnow();
    long n = 0;
    for (int y = 1; y <= app.store.length(); ++y)
      for (int x = 1; x <= app.store.width(); ++x) n += map.level(value(x, y)) == g;
    return 100.0 * static_cast<double>(n) / (app.store.width() * app.store.length());
  }
  int mediangrey() const {
    std::vector<std::int32_t> v;
    for (int y = 1; y <= app.store.length(); ++y)
      for (int x = 1; x <= app.store.width(); ++x) v.push_back(value(x, y));
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return mapnow().level(v[v.size() / 2]);
  }

 private:
  std::int32_t value(int x, int y) const {
    const PixelStore& s = app.store;
    return s.at(1, x, y);
  }
  GreyMap mapnow() const {
    return GreyMap::make(tk.slider_min, tk.slider_max, depthdivisor(app.header.bitspersample[1]));
  }
};

TEST_F(AutoWindowTest, AboutOneInThreeHundredPixelsBlackAndWhite) {
  const struct {
    const char* name;
    int bits;
    bool rgb;
    int w, l;
    Value value;
    int min, max;
    double black, white;  // percent of the pixels, to 0.01
    int median;           // grey level of the median value
  } rows[] = {
      // 40 pixels of each value 0..15, 39 of every other: the first and last value saturate.
      {"8-bit ramp", 8, false, 100, 100, [](int x, int y) { return (x - 1 + 100 * (y - 1)) % 256; },
       0, 255, 0.40, 0.39, 127},
      {"8-bit narrow", 8, false, 100, 100, [](int x, int y) { return 100 + (x + 2 * y) % 50; }, 99,
       51, 0, 0, 130},
      {"12-bit ramp", 12, false, 128, 128,
       [](int x, int y) { return (x - 1 + 128 * (y - 1)) % 4096; }, 0, 255, 0.39, 0.39, 128},
      {"16-bit ramp", 16, false, 256, 256, [](int x, int y) { return x - 1 + 256 * (y - 1); }, 0,
       255, 0.39, 0.39, 128},
      {"RGB", 8, true, 100, 100, [](int x, int y) { return 50 + (x * y) % 100; }, 49, 101, 0, 0,
       123},
      {"8-bit all 40", 8, false, 50, 50, [](int, int) { return 40; }, 0, 80, 0, 0, 127},
      {"16-bit all 600", 16, false, 50, 50, [](int, int) { return 600; }, 0, 5, 0, 0, 119},
      {"16-bit all 0", 16, false, 50, 50, [](int, int) { return 0; }, 0, 255, 100, 0, 0},
      {"12-bit one bright pixel", 12, false, 100, 100,
       [](int x, int y) { return x == 50 && y == 50 ? 4095 : 100; }, 0, 12, 0, 0.01, 132},
      {"12-bit frame in 16 bits", 16, false, 200, 200, camera, 2, 9, 0, 0.35, 9},
  };
  for (const auto& r : rows) {
    load(r.bits, r.rgb, r.w, r.l, r.value);
    app.bestfits = kTrue;
    autowindow_Click(app);
    EXPECT_EQ(tk.slider_min, r.min) << r.name;
    EXPECT_EQ(tk.slider_max, r.max) << r.name;
    EXPECT_NEAR(percentat(0), r.black, 0.005) << r.name;
    EXPECT_NEAR(percentat(255), r.white, 0.005) << r.name;
    EXPECT_EQ(mediangrey(), r.median) << r.name;
    EXPECT_EQ(app.bestfits, kFalse) << r.name;
    EXPECT_EQ(lines().end()[-2], "image painted") << r.name;
  }
}

TEST_F(AutoWindowTest, RefusedAsRefreshIs) {
  const struct {
    const char* name;
    bool loaded, busy;
    std::string top;  // the top line afterwards, or the box shown
  } rows[] = {
      {"no image", false, false, "No image to refresh"},
      {"busy", true, true, "[error] busy"},
  };
  for (const auto& r : rows) {
    if (r.loaded) load(16, false, 20, 20, [](int x, int) { return 1000 * x; });
    tk.boxes.clear();
    app.busy = r.busy ? kTrue : kFalse;
    app.bestfits = kTrue;
    tk.slider_min = 7;
    tk.slider_max = 9;
    autowindow_Click(app);
    EXPECT_EQ(r.busy ? lines().back() : tk.boxes.at(0).text, r.top) << r.name;
    EXPECT_EQ(tk.slider_min, 7) << r.name;
    EXPECT_EQ(tk.slider_max, 9) << r.name;
    EXPECT_EQ(app.bestfits, kTrue) << r.name;
  }
}

TEST_F(AutoWindowTest, TipsNameTheStoredValues) {
  const struct {
    int bits;  // 0: no image
    std::string bin11;
  } rows[] = {
      {16, "bin 11 = 2816 to 3071, 5 pixels"},
      {12, "bin 11 = 176 to 191, 5 pixels"},
      {8, "bin 11 = 11, 5 pixels"},
      {0, "bin 11, 5 pixels"},
  };
  for (const auto& r : rows) {
    app.header.headervalid = r.bits == 0 ? kFalse : kTrue;
    app.header.bitspersample[1] = static_cast<std::int16_t>(r.bits);
    EXPECT_EQ(bin_tip(app.header, 11, 5), r.bin11);
  }
  EXPECT_EQ(bin_tip(app.header, 0, 1), "bin 0, 1 pixel");
}

}  // namespace
}  // namespace vtr
