// Shared by the tests that feed the viewer files it did not write (third-party, broken or
// hostile): a snapshot of everything a load may change, and a good image to load before them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/message_text.h"
#include "tests/support/process_state.h"
#include "tests/support/sample_image.h"
#include "tests/support/tiff_builder.h"
#include "tests/support/viewer.h"

namespace vtr::test {

// Everything a refused file must leave as it was.
struct Snapshot {
  std::int32_t width = 0;
  std::int32_t length = 0;
  std::vector<std::int32_t> channel1;
  HistogramCounts histogram{};
  HistogramCounts chart{};
  int picture_w = 0;
  int picture_h = 0;
  std::vector<std::uint8_t> picture;
  std::int16_t headervalid = 0;

  static Snapshot of(const Viewer& v) {
    Snapshot s;
    const PixelStore& st = v.app.store;
    s.width = st.width();
    s.length = st.length();
    if (!st.empty()) {
      for (std::int32_t y = 1; y <= s.length; ++y) {
        for (std::int32_t x = 1; x <= s.width; ++x) s.channel1.push_back(st.at(1, x, y));
      }
    }
    s.histogram = v.app.histogram.bins;
    s.chart = v.tk.chart;
    s.picture_w = v.tk.picture_w;
    s.picture_h = v.tk.picture_h;
    s.picture = v.tk.picture;
    s.headervalid = v.app.header.headervalid;
    return s;
  }
};

// Compares the parts of two snapshots a refused load must not touch: the stored image, the
// histogram and the chart, and the picture.
inline void expect_image_kept(const Snapshot& before, const Snapshot& after,
                              const std::string& why) {
  EXPECT_EQ(after.width, before.width) << why;
  EXPECT_EQ(after.length, before.length) << why;
  EXPECT_TRUE(after.channel1 == before.channel1) << why << ": stored pixels changed";
  EXPECT_TRUE(after.histogram == before.histogram) << why << ": histogram changed";
  EXPECT_TRUE(after.chart == before.chart) << why << ": chart changed";
  EXPECT_EQ(after.picture_w, before.picture_w) << why;
  EXPECT_EQ(after.picture_h, before.picture_h) << why;
  EXPECT_TRUE(after.picture == before.picture) << why << ": picture changed";
}

// Compares the parts of two snapshots a load that failed part way must leave: the histogram
// and the store emptied, the picture as it was.
inline void expect_image_emptied(const Snapshot& before, const Snapshot& after) {
  EXPECT_TRUE(after.histogram == HistogramCounts{}) << "histogram not emptied";
  for (std::int32_t v : after.channel1) ASSERT_EQ(v, 0) << "store not emptied";
  EXPECT_TRUE(after.picture == before.picture) << "picture changed";
}

inline std::string data_path(const std::string& relative) {
  return std::string(VTR_TEST_DATA_DIR) + "/" + relative;
}

}  // namespace vtr::test
