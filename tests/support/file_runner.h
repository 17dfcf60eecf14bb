// Runs one file the viewer did not write through the get-image command and keeps what the
// checks compare; and reads the same file with another reader (tests/tools/oracle_pixels.py,
// tifffile or Pillow) for the pixel values it should show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/hostile_support.h"

namespace vtr::test {

// Where a file is loaded: in a viewer just started, or after the good image was loaded.
enum class Start { fresh, after_good_image };

// One load of `path` in a viewer of its own, with the store limit `store_limit` (0: what the
// machine allows). The good image's file stays on disk for as long as the run lives, so that
// a check can load it again.
struct FileRun {
  FileRun(const std::string& path, Start start, std::uint64_t store_limit = 0);

  Viewer viewer;
  std::optional<TempFile> good;  // after_good_image: the good image's file
  Snapshot before;               // the viewer just before the file was loaded
  std::string added;             // the message lines the load added (newest first)
  int descriptors_before = 0;    // open descriptors of the process around the load
  int descriptors_after = 0;
};

// The samples another reader decodes from a file: width, length, samples per pixel, then
// the samples row by row. Empty `values` when it could not read the file.
struct OraclePixels {
  std::uint32_t width = 0, length = 0, samples = 0;
  std::vector<std::uint32_t> values;

  std::uint32_t at(std::uint32_t x, std::uint32_t y, std::uint32_t c) const {  // from 0
    return values[(static_cast<std::size_t>(y) * width + x) * samples + c];
  }
  // The value the viewer keeps for a pixel: for three samples the grey of red, green and
  // blue weighted 1/4, 1/2, 1/4, halves to even; otherwise the first sample.
  std::int32_t shown_value(std::uint32_t x, std::uint32_t y) const;
  // The same when the viewer read the first `rows` rows of the file (-1: all): 0 below them.
  std::int32_t kept_value(std::uint32_t x, std::uint32_t y, int rows) const {
    return rows < 0 || y < static_cast<std::uint32_t>(rows) ? shown_value(x, y) : 0;
  }
};

// Expects the viewer's store to have the oracle's size and to hold each pixel's kept_value
// (`rows` read) in channel 1, and for three samples in channels 2 and 3 as well; reports the
// first five pixels that differ.
void expect_store_holds(const Viewer& v, const OraclePixels& o, int rows);

// Expects the lines a load added (`added`, newest first) to hold `error` as one of them; with
// `error` empty, to hold no "[error]" line at all.
void expect_error_line(const std::string& added, const std::string& error);

// A file's name as the name of its case: every character but letters and digits becomes '_'.
std::string case_name_of(std::string file);

// Runs the oracle over `path` with its command-line `options` (see oracle_pixels.py).
OraclePixels run_oracle(const std::string& path, const std::string& options);

}  // namespace vtr::test
