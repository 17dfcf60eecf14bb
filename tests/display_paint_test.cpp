// The half-scale picture: grey levels, geometry, the paint's steps and the refresh command.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/messages.h"
#include "display/intensity.h"
#include "display/paint.h"
#include "tests/support/app_fixture.h"
#include "tests/support/tiff_builder.h"

namespace vtr {
namespace {

class PaintTest : public test::AppTest {
 protected:
  // An accepted image of w x l at the given depth, start-up intensity settings.
  void setimage(int w, int l, int bits) {
    app.header.imagewidth = static_cast<std::int16_t>(w);
    app.header.imagelength = static_cast<std::int16_t>(l);
    app.header.bitspersample[1] = static_cast<std::int16_t>(bits);
    app.header.headervalid = kTrue;
    ASSERT_TRUE(app.store.recreate(w, l, bits == 8 ? StoreKind::grey8 : StoreKind::grey16));
    fullrange(app);
  }
  // Puts the minimum and maximum sliders at `min` and `max`.
  void sliders(int min, int max) {
    tk.slider_min = min;
    tk.slider_max = max;
  }
};

// The grey level of one stored value, painted at display (1, 1) from source (1, 1).
TEST_F(PaintTest, GreyLevelsFollowTheIntensityWindow) {
  const struct {
    int bits, min, max;
    bool inverted;
    std::int32_t v;
    int grey;
  } cases[] = {
      {8, 0, 255, false, 200, 200},
      {12, 0, 255, false, 4095, 255},
      {16, 0, 255, false, 65535, 255},
      {16, 0, 255, false, 255, 0},
      {16, 0, 255, false, 256, 1},
      {8, 0, 255, true, 0, 255},
      {8, 0, 255, true, 200, 55},
      {8, 0, 128, false, 128, 255},
      {8, 0, 128, false, 64, 127},
      {8, 10, 100, false, 10, 0},
      {8, 10, 100, false, 60, 127},
      {8, 10, 100, false, 110, 254},
      {8, 10, 100, false, 111, 255},
      {8, 10, 100, false, 5, 0},
      {12, 10, 100, false, 160, 0},
      {12, 10, 100, false, 1600, 229},
      // Values far outside the window are held to 0..255, never wrapped.
      {16, 255, 1, false, 0, 0},
      {8, 0, 1, false, 255, 255},
      // A maximum of 0 is taken as 1: no division by zero.
      {8, 0, 0, false, 0, 0},
      {8, 0, 0, false, 1, 255},
      {16, 0, 0, false, 128, 127},
  };
  for (const auto& c : cases) {
    setimage(4, 4, c.bits);
    sliders(c.min, c.max);
    app.invimage = c.inverted ? kTrue : kFalse;
    app.store.set(1, 1, c.v);
    paintimage(app);
    EXPECT_EQ(tk.grey_at(1, 1), c.grey)
        << c.bits << "-bit min " << c.min << " max " << c.max << " v " << c.v;
  }
}

// Every landed pixel against the rule applied pixel by pixel, for random stores and windows.
TEST_F(PaintTest, RowsEqualThePerPixelRule) {
  std::mt19937 rng(7);
  const int depths[] = {8, 12, 16};
  for (int round = 0; round < 30; ++round) {
    const int w = 1 + static_cast<int>(rng() % 40);
    const int l = 2 + static_cast<int>(rng() % 20);
    const int bits = depths[rng() % 3];
    setimage(w, l, bits);
    const int min = static_cast<int>(rng() % 256);
    const int max = 1 + static_cast<int>(rng() % 255);
    sliders(min, max);
    app.invimage = rng() % 2 ? kTrue : kFalse;
    for (int y = 1; y <= l; ++y) {
      for (int x = 1; x <= w; ++x) app.store.set(x, y, static_cast<int>(rng() % 70000) - 2000);
    }
    tk.set_picture_size(0, 0);
    paintimage(app);
    const int d = bits == 8 ? 1 : bits == 12 ? 16 : 256;
    const double scale = (255.0 / max) / d;
    for (int r = 1; r < tk.picture_h; ++r) {
      for (int c = 1; c < tk.picture_w; ++c) {
        const double t =
            (app.store.at(1, 2 * c - 1, 2 * r - 1) - static_cast<double>(min) * d) * scale;
        double g = std::trunc(t);
        g = g > 255 ? 255 : g < 0 ? 0 : g;
        const int want = app.invimage == kTrue ? 255 - static_cast<int>(g) : static_cast<int>(g);
        ASSERT_EQ(tk.grey_at(c, r), want) << "round " << round << " at " << c << "," << r;
      }
    }
  }
}

TEST_F(PaintTest, FiveByFiveDrawsSixPixelsOfWhichOneLands) {
  setimage(5, 5, 8);
  for (int y = 1; y <= 5; ++y) {
    for (int x = 1; x <= 5; ++x) app.store.set(x, y, 10 * x + y);
  }
  paintimage(app);
  EXPECT_EQ(tk.picture_w, 2);
  EXPECT_EQ(tk.picture_h, 2);
  EXPECT_TRUE(tk.picture_unit_pixels);
  EXPECT_EQ(tk.pixel_sets, 6);
  EXPECT_EQ(tk.pixels_landed, 1);
  EXPECT_EQ(tk.grey_at(1, 1), 11);
  EXPECT_EQ(tk.grey_at(0, 0), 0);  // display column and row 0 are never drawn
  EXPECT_EQ(tk.pumps, 2);
  ASSERT_EQ(tk.progress_history.size(), 2u);
  EXPECT_FLOAT_EQ(tk.progress_history[0], 0.4f);
  EXPECT_FLOAT_EQ(tk.progress_history[1], 0.8f);
}

TEST_F(PaintTest, DisplayPixelShowsEverySecondSourcePixel) {
  const struct {
    int w, l;
    long long sets;
  } cases[] = {{9, 8, 5 * 4}, {8, 9, 4 * 4}, {2, 2, 1}, {1, 7, 3}, {6, 1, 0}};
  for (const auto& c : cases) {
    tk = test::FakeToolkit{};
    setimage(c.w, c.l, 8);
    for (int y = 1; y <= c.l; ++y) {
      for (int x = 1; x <= c.w; ++x) app.store.set(x, y, x + 20 * y);
    }
    paintimage(app);
    EXPECT_EQ(tk.pixel_sets, c.sets) << c.w << "x" << c.l;
    EXPECT_EQ(tk.pumps, c.l / 2) << c.w << "x" << c.l;  // an odd last row is never drawn
    for (int r = 1; r < tk.picture_h; ++r) {
      for (int c2 = 1; c2 < tk.picture_w; ++c2) {
        EXPECT_EQ(tk.grey_at(c2, r), (2 * c2 - 1) + 20 * (2 * r - 1)) << c2 << "," << r;
      }
    }
  }
}

TEST_F(PaintTest, WidestImageReachesItsLastColumns) {
  setimage(32767, 4, 8);
  app.store.set(32763, 1, 77);  // display column 16382, the last on the surface
  app.store.set(32765, 1, 99);  // display column 16383, clipped
  app.store.set(32767, 3, 55);  // display row 2, clipped
  paintimage(app);
  EXPECT_EQ(tk.picture_w, 16383);
  EXPECT_EQ(tk.pixel_sets, 2 * 16384);
  EXPECT_EQ(tk.pixels_landed, 16382);
  EXPECT_EQ(tk.grey_at(16382, 1), 77);
  EXPECT_EQ(tk.grey_at(16381, 1), 0);
}

// The same picture with one worker and with more than most machines have, in bands of one
// row and of many.
TEST_F(PaintTest, WorkersAndBandsDrawTheSamePicture) {
  const BandPlan plans[] = {{1, 1, 0}, {1, 5, 0}, {4, 5, 0}, {1000, 5, 0}, {0, 3, 0}};
  std::mt19937 rng(11);
  for (int bits : {8, 16}) {
    std::vector<std::uint8_t> first;
    for (const BandPlan& plan : plans) {
      SCOPED_TRACE(testing::Message()
                   << bits << "-bit, band " << plan.rows << " workers " << plan.workers);
      test::FakeToolkit t;
      App a{t, 5};
      a.bands = plan;
      a.header.imagewidth = 203;
      a.header.imagelength = 157;
      a.header.bitspersample[1] = static_cast<std::int16_t>(bits);
      ASSERT_TRUE(a.store.recreate(203, 157, bits == 8 ? StoreKind::grey8 : StoreKind::grey16));
      rng.seed(11);
      for (int y = 1; y <= 157; ++y) {
        for (int x = 1; x <= 203; ++x) a.store.set(x, y, static_cast<int>(rng() % 65536));
      }
      t.slider_min = 20;
      t.slider_max = 200;
      paintimage(a);
      EXPECT_EQ(t.pixel_sets, 102 * 78);
      if (first.empty()) first = t.picture;
      EXPECT_EQ(t.picture, first);
    }
  }
}

TEST_F(PaintTest, FinishesWithChartMessageAndTime) {
  setimage(4, 6, 8);
  app.histogram.bins[3] = 17;
  tk.clock_times = {100.0, 102.6};
  paintimage(app);
  EXPECT_DOUBLE_EQ(app.stime, 100.0);
  EXPECT_EQ(tk.chart_feeds, 1);
  EXPECT_EQ(tk.chart[3], 17);
  EXPECT_EQ(app.histogram.bins[3], 17);
  EXPECT_EQ(tk.text(TextBox::Text1), "time for last task  3(s)\r\nimage painted\r\n");
  EXPECT_FLOAT_EQ(tk.progress, 1.0f);
  setimage(4, 7, 8);
  paintimage(app);
  EXPECT_FLOAT_EQ(tk.progress, static_cast<float>(6.0 / 7.0));
}

TEST_F(PaintTest, ClosesTheLoadsImageFile) {
  setimage(4, 4, 8);
  test::TempFile file(test::Bytes{1, 2, 3});
  ASSERT_TRUE(app.files.open(3, file.path()));
  paintimage(app);
  EXPECT_EQ(app.files.open_count(), 0);
  paintimage(app);  // nothing open: nothing to close
  EXPECT_EQ(app.files.open_count(), 0);
}

TEST_F(PaintTest, UnknownDepthIsACodeError) {
  setimage(4, 4, 10);
  tk.clock_times = {55.0};
  paintimage(app);
  test::expect_one_box(tk, "code error - please report", Icon::critical);
  EXPECT_EQ(tk.picture_w, 2);  // the surface was already resized
  EXPECT_DOUBLE_EQ(app.stime, 55.0);
  EXPECT_EQ(tk.pixel_sets, 0);
  EXPECT_EQ(tk.chart_feeds, 0);
  EXPECT_EQ(tk.text(TextBox::Text1), "");
}

TEST_F(PaintTest, InvertDuringThePaintAppliesToLaterRows) {
  setimage(8, 8, 8);
  for (int y = 1; y <= 8; ++y) app.store.set(3, y, 40);
  tk.pump_actions = {nullptr, [&] { imageinvert_Click(app); }};
  paintimage(app);
  EXPECT_EQ(tk.grey_at(2, 1), 40);
  EXPECT_EQ(tk.grey_at(2, 2), 215);
  EXPECT_EQ(tk.grey_at(2, 3), 215);
}

TEST_F(PaintTest, SlidersMovedDuringThePaintWaitForTheNextOne) {
  setimage(8, 8, 8);
  for (int y = 1; y <= 8; ++y) app.store.set(3, y, 40);
  tk.pump_actions = {[&] { sliders(0, 20); }};
  paintimage(app);
  EXPECT_EQ(tk.grey_at(2, 3), 40);
  paintimage(app);
  EXPECT_EQ(tk.grey_at(2, 3), 255);
}

TEST_F(PaintTest, StopsWhenTheProgramEnds) {
  setimage(8, 8, 8);
  tk.pump_actions = {nullptr, [&] { app.ending = true; }};
  paintimage(app);
  EXPECT_EQ(tk.pumps, 2);
  EXPECT_EQ(tk.pixel_sets, 4);  // the first row only
  EXPECT_EQ(tk.chart_feeds, 0);
  EXPECT_EQ(tk.text(TextBox::Text1), "");
}

TEST_F(PaintTest, BestFitMovesTheSlidersFirst) {
  setimage(10, 10, 8);
  app.histogram.bins[40] = 100;
  app.bestfits = kTrue;
  for (int y = 1; y <= 10; ++y) app.store.set(1, y, 45);
  paintimage(app);
  EXPECT_EQ(tk.slider_min, 39);
  EXPECT_EQ(tk.slider_max, 255);
  EXPECT_EQ(tk.grey_at(1, 1), 6);  // (45 - 39) x (255 / 255)
}

// A store smaller than the header says (a later header that was refused, or a store that
// could not be had) is never read outside: missing cells show as value 0.
TEST_F(PaintTest, StoreSmallerThanTheHeaderReadsAsZero) {
  setimage(3, 3, 8);
  app.store.set(1, 1, 100);
  app.header.imagewidth = 12;
  app.header.imagelength = 12;
  app.invimage = kTrue;
  paintimage(app);
  EXPECT_EQ(tk.grey_at(1, 1), 155);
  EXPECT_EQ(tk.grey_at(2, 1), 255);
  EXPECT_EQ(tk.grey_at(5, 5), 255);
}

TEST_F(PaintTest, EmptyStorePaintsValueZero) {
  app.header.imagewidth = 6;
  app.header.imagelength = 6;
  app.header.bitspersample[1] = 8;
  fullrange(app);
  app.invimage = kTrue;
  ASSERT_TRUE(app.store.empty());
  paintimage(app);
  EXPECT_EQ(tk.pixel_sets, 9);
  EXPECT_EQ(tk.grey_at(2, 2), 255);
}

class RefreshTest : public PaintTest {};

TEST_F(RefreshTest, NoImageShowsAWarning) {
  refresh_button_Click(app);
  test::expect_one_box(tk, "No image to refresh", Icon::exclamation);
  EXPECT_EQ(app.busy, kFalse);
  EXPECT_EQ(tk.colours.count(Button::refresh_button), 0u);
  EXPECT_EQ(tk.pixel_sets, 0);
}

TEST_F(RefreshTest, RefusedWhileBusy) {
  setimage(4, 4, 8);
  app.busy = kTrue;
  refresh_button_Click(app);
  EXPECT_EQ(tk.text(TextBox::Text1), "[error] busy\r\n");
  EXPECT_EQ(app.busy, kTrue);
  EXPECT_TRUE(tk.boxes.empty());
  EXPECT_EQ(tk.pixel_sets, 0);
}

TEST_F(RefreshTest, RepaintsFromTheStoreUnderTheBusyFlag) {
  setimage(4, 4, 8);
  app.store.set(1, 1, 9);
  std::int16_t busy_during = 0;
  tk.pump_actions = {[&] {
    busy_during = app.busy;
    refresh_button_Click(app);  // a second refresh arriving mid-paint is refused
  }};
  refresh_button_Click(app);
  EXPECT_EQ(busy_during, kTrue);
  EXPECT_EQ(app.busy, kFalse);
  EXPECT_EQ(tk.grey_at(1, 1), 9);
  EXPECT_EQ(tk.colour_history[Button::refresh_button],
            (std::vector<Rgb>{kBusyColour, kIdleColour}));
  EXPECT_EQ(tk.text(TextBox::Text1).rfind("time for last task", 0), 0u);
  EXPECT_NE(tk.text(TextBox::Text1).find("image painted\r\n[error] busy\r\n"), std::string::npos);
}

TEST_F(RefreshTest, ClearedHistogramGivesFullRangeWithBestFit) {
  setimage(4, 4, 8);
  sliders(30, 60);
  app.bestfits = kTrue;
  refresh_button_Click(app);
  EXPECT_EQ(tk.slider_min, 0);
  EXPECT_EQ(tk.slider_max, 255);
  EXPECT_EQ(tk.chart, HistogramCounts{});
}

}  // namespace
}  // namespace vtr
