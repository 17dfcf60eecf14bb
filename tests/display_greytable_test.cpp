// The paint's look-up of grey levels gives, for every value a store can hold, the level the
// intensity rule computes; the sliders' tips name where those levels leave black and reach
// white.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "display/greymap.h"
#include "display/window_levels.h"

namespace vtr {
namespace {

// The rule as the picture states it: trunc((v - min*d) * ((255 / max) / d)) held to 0..255.
int rulelevel(std::int64_t v, int min, int max, int d) {
  const double t = (static_cast<double>(v) - static_cast<double>(min) * d) * ((255.0 / max) / d);
  const double g = std::trunc(t);
  return g > 255 ? 255 : g < 0 ? 0 : static_cast<int>(g);
}

struct Window {
  int min, max;
};
// Start-up, narrow and wide windows, min above max, and the scale-limiting corners.
constexpr Window kWindows[] = {{0, 255},   {10, 100}, {0, 128},   {200, 50},
                               {254, 255}, {0, 1},    {255, 255}, {37, 211}};

TEST(GreyTableTest, EveryValueOfEveryDepthMatchesTheRule) {
  for (int d : {1, 16, 256}) {
    for (const Window& w : kWindows) {
      const GreyMap map = GreyMap::make(w.min, w.max, d);
      const GreyTable table(map, 256 * d - 1);
      for (std::int32_t v = 0; v < 256 * d; ++v) {
        ASSERT_EQ(table.level(v), rulelevel(v, w.min, w.max, d))
            << "d " << d << " window " << w.min << ".." << w.max << " value " << v;
      }
    }
  }
}

TEST(GreyTableTest, ValuesBeyondTheTableFollowTheRule) {
  const GreyMap map = GreyMap::make(10, 100, 16);
  const GreyTable table(map, 4095);
  for (std::int32_t v :
       {-1, -160, -70000, 4096, 4097, 65535, 1 << 20, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(table.level(v), map.level(v)) << v;
    EXPECT_EQ(table.level(v), rulelevel(v, 10, 100, 16)) << v;
  }
}

TEST(GreyTableTest, MaximumZeroTakesTheNarrowestWindow) {
  const GreyTable zero(GreyMap::make(0, 0, 1), 255);
  const GreyTable one(GreyMap::make(0, 1, 1), 255);
  for (std::int32_t v = 0; v < 256; ++v) EXPECT_EQ(zero.level(v), one.level(v)) << v;
}

// The edges the sliders' tips name are where the paint's levels leave 0 and reach 255.
TEST(GreyTableTest, WindowEdgesAreWhereThePaintLeavesBlackAndReachesWhite) {
  for (int d : {1, 16, 256}) {
    for (const Window& w : kWindows) {
      const GreyTable table(GreyMap::make(w.min, w.max, d), 256 * d - 1);
      const WindowLevels edges = window_levels(w.min, w.max, d);
      const std::int32_t none = 256 * d;
      for (std::int32_t v = 0; v < 256 * d; ++v) {
        ASSERT_EQ(table.level(v) > 0, v >= edges.grey_from.value_or(none)) << d << " " << v;
        ASSERT_EQ(table.level(v) == 255, v >= edges.white_from.value_or(none)) << d << " " << v;
      }
    }
  }
}

TEST(GreyTableTest, SliderTipsNameTheWindowsEdges) {
  const struct {
    Slider slider;
    int min, max, d;  // d 0: no image
    bool inverted;
    std::string tip;
  } rows[] = {
      {Slider::image_max, 0, 11, 256, false, "max 11: black below 12, white from 2816"},
      {Slider::image_min, 5, 11, 256, false, "min 5: black below 1292, white from 4096"},
      {Slider::image_max, 0, 11, 256, true, "max 11: white below 12, black from 2816"},
      // 110 x 255 / 100 falls just short of 255 in double precision.
      {Slider::image_max, 10, 100, 1, false, "max 100: black below 11, white from 111"},
      {Slider::image_max, 0, 0, 16, false, "max 0: black below 1, white from 16"},
      {Slider::image_min, 200, 255, 256, false, "min 200: black below 51456, never white"},
      {Slider::image_min, 200, 255, 256, true, "min 200: white below 51456, never black"},
      {Slider::image_min, 255, 255, 1, false, "min 255: all black"},
      {Slider::image_min, 255, 255, 1, true, "min 255: all white"},
      {Slider::image_max, 0, 11, 0, false, "max 11"},
      {Slider::image_min, 1, 11, 0, true, "min 1"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(window_levels_tip(r.slider, r.min, r.max, r.d, r.inverted), r.tip);
  }
}

}  // namespace
}  // namespace vtr
