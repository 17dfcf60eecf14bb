// Shared by the tests that feed the viewer files it did not write (third-party, broken or
// hostile): a viewer on the recording toolkit, a snapshot of everything a load may change,
// and the process's open descriptors and resident memory.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/app.h"
#include "decode/readfile.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/tiff_builder.h"
#include "ui/commands.h"

namespace vtr::test {

// The viewer after start-up, with files handed to its dialog one command at a time.
struct Viewer {
  FakeToolkit tk;
  App app{tk};

  Viewer() {
    tk.record_progress = false;
    form_load(app);
  }
  void load(const std::string& path) {
    tk.dialog_answers.push_back(path);
    getimage_button_Click(app);
  }
  void header(const std::string& path) {
    tk.dialog_answers.push_back(path);
    getheader_button_Click(app);
  }
  std::string messages() const { return tk.text(TextBox::Text1); }
  // The lines the area gained since it held `before` (newest first, CR LF between them).
  std::string added_since(const std::string& before) const {
    std::string now = messages();
    return now.substr(0, now.size() - before.size());
  }
};

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

// A small good 8-bit image, loaded before a file under test to see what that file leaves.
inline Bytes good_image() {
  ImageSpec s;
  s.width = 6;
  s.length = 4;
  s.rowsperstrip = 3;
  for (int i = 0; i < s.width * s.length; ++i)
    s.pixels.push_back(static_cast<std::uint8_t>(i * 11 + 7));
  return image(s);
}

inline bool contains_line(const std::string& text, const std::string& line) {
  return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

inline int open_descriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

// Resident memory of the process in bytes, from /proc/self/statm.
inline std::uint64_t resident_bytes() {
  std::ifstream f("/proc/self/statm");
  std::uint64_t size = 0;
  std::uint64_t resident = 0;
  f >> size >> resident;
  return resident * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

inline std::string data_path(const std::string& relative) {
  return std::string(VTR_TEST_DATA_DIR) + "/" + relative;
}

// AddressSanitizer keeps freed memory in quarantine and pads every allocation, so resident
// memory says little under it; its leak checker covers what the memory checks look for.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

}  // namespace vtr::test
