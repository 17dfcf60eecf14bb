// Best fit, invert, reset, full range and the colours of their buttons.
#include <gtest/gtest.h>

#include <functional>

#include "display/intensity.h"
#include "tests/support/app_fixture.h"

namespace vtr {
namespace {

class IntensityTest : public test::AppTest {};

TEST_F(IntensityTest, BestFitFromTheHistogram) {
  const struct {
    const char* name;
    int w, l;
    std::function<void(HistogramCounts&)> fill;
    int min, max;
  } cases[] = {
      {"100 in every bin", 160, 160, [](HistogramCounts& h) { h.fill(100); }, 25, 230},
      {"all zero table", 64, 64, [](HistogramCounts&) {}, 0, 255},
      {"every pixel 0", 64, 64, [](HistogramCounts& h) { h[0] = 64 * 64; }, 0, 255},
      {"every pixel 40", 64, 64, [](HistogramCounts& h) { h[40] = 64 * 64; }, 39, 255},
      {"no image", 0, 0, [](HistogramCounts&) {}, 0, 255},
      // 10 % and 90 % of 100 pixels: bin 5 brings the count to 10, bin 200 to 90.
      {"two steps", 10, 10,
       [](HistogramCounts& h) {
         h[5] = 10;
         h[200] = 80;
         h[250] = 10;
       },
       4, 199},
      {"everything in bin 255", 10, 10, [](HistogramCounts& h) { h[255] = 100; }, 254, 255},
      // Counts that no image can give must not overflow the running count.
      {"huge counts", 32767, 32767, [](HistogramCounts& h) { h.fill(2147483647); }, 0, 255},
  };
  for (const auto& c : cases) {
    app.header.imagewidth = static_cast<std::int16_t>(c.w);
    app.header.imagelength = static_cast<std::int16_t>(c.l);
    app.histogram.bins.fill(0);
    c.fill(app.histogram.bins);
    tk.slider_min = 77;
    tk.slider_max = 88;
    bestfit(app);
    EXPECT_EQ(tk.slider_min, c.min) << c.name;
    EXPECT_EQ(tk.slider_max, c.max) << c.name;
  }
}

TEST_F(IntensityTest, InvertTogglesFlagAndColour) {
  imageinvert_Click(app);
  EXPECT_EQ(app.invimage, kTrue);
  EXPECT_EQ(tk.colours[Button::imageinvert], (Rgb{75, 75, 75}));
  imageinvert_Click(app);
  EXPECT_EQ(app.invimage, kFalse);
  EXPECT_EQ(tk.colours[Button::imageinvert], (Rgb{255, 255, 255}));
  app.invimage = 1;  // anything but -1 counts as not inverted
  invertimage(app);
  EXPECT_EQ(app.invimage, kTrue);
}

TEST_F(IntensityTest, ResetLeavesFullRangeNotInvertedAndBestFitAlone) {
  for (int inverts = 0; inverts < 3; ++inverts) {
    app.invimage = kFalse;
    for (int i = 0; i < inverts; ++i) imageinvert_Click(app);
    tk.slider_min = 20;
    tk.slider_max = 30;
    app.bestfits = kTrue;
    Command7_Click(app);
    EXPECT_EQ(app.invimage, kFalse) << inverts;
    EXPECT_EQ(tk.colours[Button::imageinvert], kNormalColour) << inverts;
    EXPECT_EQ(tk.slider_min, 0);
    EXPECT_EQ(tk.slider_max, 255);
    EXPECT_EQ(app.bestfits, kTrue);
  }
}

TEST_F(IntensityTest, BestFitButtonTurnsOnAndOff) {
  app.header.imagewidth = 10;
  app.header.imagelength = 10;
  app.histogram.bins[40] = 100;
  Command8_Click(app);
  EXPECT_EQ(app.bestfits, kTrue);
  EXPECT_EQ(tk.colours[Button::Command8], (Rgb{0, 255, 0}));
  EXPECT_EQ(tk.slider_min, 39);
  EXPECT_EQ(tk.slider_max, 255);
  tk.slider_max = 100;
  Command8_Click(app);  // off: the sliders stay where they are
  EXPECT_EQ(app.bestfits, kFalse);
  EXPECT_EQ(tk.colours[Button::Command8], (Rgb{16, 250, 253}));
  EXPECT_EQ(tk.slider_min, 39);
  EXPECT_EQ(tk.slider_max, 100);
  app.bestfits = 1;  // any value but 0 counts as on
  Command8_Click(app);
  EXPECT_EQ(app.bestfits, kFalse);
}

TEST_F(IntensityTest, FullRangeTurnsBestFitOff) {
  app.bestfits = kTrue;
  app.invimage = kTrue;
  tk.slider_min = 12;
  tk.slider_max = 34;
  Command9_Click(app);
  EXPECT_EQ(tk.slider_min, 0);
  EXPECT_EQ(tk.slider_max, 255);
  EXPECT_EQ(app.bestfits, kFalse);
  EXPECT_EQ(tk.colours[Button::Command8], kIntensityButtonColour);
  EXPECT_EQ(app.invimage, kTrue);
}

}  // namespace
}  // namespace vtr
