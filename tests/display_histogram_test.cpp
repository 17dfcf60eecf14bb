// Histogram bins for each depth and the cleared table on the chart.
#include <gtest/gtest.h>

#include "display/histogram.h"
#include "tests/support/app_fixture.h"

namespace vtr {
namespace {

TEST(Histogram, BinOfEachDepth) {
  const struct {
    int bits;
    std::int32_t v;
    int bin;
  } cases[] = {
      {8, 0, 0},       {8, 7, 7},    {8, 255, 255}, {12, 15, 0},      {12, 16, 1},
      {12, 4095, 255}, {16, 255, 0}, {16, 256, 1},  {16, 65535, 255},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(histogrambin(c.v, depthdivisor(c.bits)), c.bin) << c.bits << "-bit " << c.v;
  }
  for (int bits : {0, 1, 4, 10, 24, 32, -8}) EXPECT_EQ(depthdivisor(bits), 0) << bits;
}

class HistogramTest : public test::AppTest {};

TEST_F(HistogramTest, ZeroingClearsEveryBinAndFeedsTheChart) {
  app.histogram.bins.fill(9);
  feed_chart(app.tk, app.histogram);
  EXPECT_EQ(tk.chart[255], 9);
  zerohistogram(app);
  EXPECT_EQ(app.histogram.bins, HistogramCounts{});
  EXPECT_EQ(tk.chart, HistogramCounts{});
  EXPECT_EQ(tk.chart_feeds, 2);
}

}  // namespace
}  // namespace vtr
