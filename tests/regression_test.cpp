// Hostile and broken files (tests/data/regressions/): each one broke, or would break, a reader
// that trusts the header. Every file goes through the whole get-image command twice: in a
// fresh viewer, and after a good image. Either it loads the image another reader sees (rows
// the file lacks read as 0), or it adds an "[error]" line; either way the command ends with
// busy cleared and no file open, a file refused before the store is touched leaves the good
// image as it was, and the viewer goes on working.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "display/paint.h"
#include "display/readout.h"
#include "tests/hostile_support.h"
#include "tests/support/file_runner.h"

namespace vtr::test {
namespace {

constexpr const char* kHeaderFault = "[error] Problem in reading TIFF header";
constexpr const char* kStripsMissing = "[error] strip offsets missing - missing strips read as 0";

enum class Outcome {
  image,    // loads; every pixel as tifffile or Pillow reads it, rows past `rows` 0
  refused,  // the parser refuses it or the store cannot be had: the previous image stays
  emptied,  // the parser fails part way: the load empties histogram and store, no usable header
};

struct Case {
  const char* file;
  Outcome outcome;    // after a good image
  const char* error;  // the line the load must add; nullptr: no "[error]" line at all
  int rows = -1;      // image: rows with pixels from the file, the rest 0 (-1: all)
  const char* oracle_options = "";
  int every_pixel = -1;  // image: the value of every pixel, for files no other reader takes
  std::uint64_t store_limit = 0;  // the most a store may take (0: what the machine allows)
};

constexpr const char* kCutShort = "[error] image data cut short - missing pixels read as 0";

const Case kCases[] = {
    // 1 GiB of store for a file of 186 bytes, where a store may take 512 MiB.
    {"huge-declared-32767x32767.tif", Outcome::refused,
     "[error] not enough memory for a 32767 x 32767 image", -1, "", -1, 512u << 20},
    // Rows of 40000 and 33000 bytes: past a 16-bit row byte count.
    {"grey16-wider-than-16383.tif", Outcome::image, nullptr},
    {"rgb8-wider-than-10922.tif", Outcome::image, nullptr},
    // 2000 strips of one row but one offset: the strips past it (and past the 1024 the
    // header holds) are missing, never read from beyond the offset array.
    {"strips-beyond-1024.tif", Outcome::image, kStripsMissing, 1},
    {"strip-offset-past-end.tif", Outcome::image, kCutShort, 0},
    {"pixels-cut-short.tif", Outcome::image, kCutShort, -1, "--pad"},
    // No RowsPerStrip: 0 whatever was loaded before, and the image is one strip.
    {"no-rowsperstrip-no-bytecounts.tif", Outcome::image, nullptr},
    // RowsPerStrip 0 or 2^31-1 after StripByteCounts: at 279 the strip height is still 0,
    // as at program start, whatever was loaded before: the parser's fault.
    {"rowsperstrip-zero-after-bytecounts.tif", Outcome::emptied, kHeaderFault},
    {"rowsperstrip-max-after-bytecounts.tif", Outcome::emptied, kHeaderFault},
    {"width-zero.tif", Outcome::image, nullptr},
    {"length-zero.tif", Outcome::image, nullptr},
    {"ifd-past-end.tif", Outcome::emptied, kHeaderFault},
    {"ifd-entries-past-end.tif", Outcome::emptied, kHeaderFault},
    {"ifd-count-negative.tif", Outcome::emptied, kHeaderFault},
    {"header-only-4-bytes.tif", Outcome::emptied, kHeaderFault},
    {"stripoffsets-1025.tif", Outcome::emptied, kHeaderFault},
    {"software-count-past-end.tif", Outcome::emptied, kHeaderFault},
    {"bitspersample-count-32767-past-end.tif", Outcome::emptied, kHeaderFault},
    {"resolution-denominator-zero.tif", Outcome::emptied, kHeaderFault},
    {"date-past-end.tif", Outcome::emptied, kHeaderFault},
    {"grey12-odd-width-two-strips-mm.tif", Outcome::image, nullptr},
    // 4990 entries, each StripOffsets with 1024 values: TIFF allows a tag once per IFD, and
    // the parse stops once the lists pass what a file of single tags can hold, instead of
    // reading (and dumping) 5 million values.
    {"repeated-strip-lists-4990.tif", Outcome::emptied, kHeaderFault},
    // 5300 Software texts of 32767 bytes each: stopped in the same way.
    {"repeated-software-5300.tif", Outcome::emptied, kHeaderFault},
    // BitsPerSample as two LONGs and Software typed LONG take 8 and 16 bytes: at their
    // offsets, not in the entry, so the file loads as 8-bit grey.
    {"bitspersample-two-longs-software-long.tif", Outcome::image, nullptr, -1, "", 0x5A},
};

std::string regression_path(const std::string& file) {
  return data_path("regressions/" + file);
}

void check_image(const Case& c, const Viewer& v) {
  OraclePixels o;
  if (c.rows == 0 || c.every_pixel >= 0) {
    // Nothing of the image is in the file (all 0), or no other reader takes the file.
    o.width = static_cast<std::uint32_t>(v.app.header.imagewidth);
    o.length = static_cast<std::uint32_t>(v.app.header.imagelength);
    o.samples = 1;
    o.values.assign(static_cast<std::size_t>(o.width) * o.length,
                    static_cast<std::uint32_t>(std::max(c.every_pixel, 0)));
  } else {
    o = run_oracle(regression_path(c.file), c.oracle_options);
  }
  const std::uint32_t w = o.width, l = o.length;
  if (w == 0 || l == 0) {
    // Other readers refuse an image without pixels; the viewer shows an empty one.
    EXPECT_TRUE(v.app.store.width() == 0 || v.app.store.length() == 0);
    EXPECT_EQ(v.app.header.headervalid, -1);
    return;
  }
  ASSERT_FALSE(o.values.empty()) << "the oracle could not read " << c.file;
  expect_store_holds(v, o, c.rows);
  std::int64_t counted = 0;
  for (auto n : v.app.histogram.bins) counted += n;
  EXPECT_EQ(counted, static_cast<std::int64_t>(w) * l);
}

// Loads the case's file in a viewer started as `start` and checks what the load left.
void check_case(Case c, Start start) {
  FileRun run(regression_path(c.file), start, c.store_limit);
  Viewer& v = run.viewer;
  const Snapshot& before = run.before;
  const std::string& added = run.added;
  EXPECT_EQ(run.descriptors_after, run.descriptors_before);
  EXPECT_EQ(v.app.busy, 0);
  EXPECT_EQ(v.app.files.open_count(), 0);
  expect_error_line(added, c.error != nullptr ? c.error : "");
  const Snapshot after = Snapshot::of(v);
  switch (c.outcome) {
    case Outcome::image:
      check_image(c, v);
      break;
    case Outcome::refused:
      EXPECT_EQ(after.headervalid, 0);
      expect_image_kept(before, after, "refused");
      break;
    case Outcome::emptied:
      EXPECT_EQ(after.headervalid, 0);
      expect_image_emptied(before, after);
      break;
  }
  // The viewer goes on working: refresh and a read-out run over what is left, and a good
  // image loads.
  refresh_button_Click(v.app);
  picture1_mousedown(v.app, 1, 0, 1.0f, 1.0f);
  EXPECT_EQ(v.app.busy, 0);
  TempFile good(good_image());
  v.load(good.path());
  EXPECT_EQ(v.app.store.width(), 6);
  EXPECT_EQ(v.app.store.at(1, 1, 1), 7);
}

class Regression : public ::testing::TestWithParam<Case> {};

TEST_P(Regression, InAFreshViewer) {
  check_case(GetParam(), Start::fresh);
}

TEST_P(Regression, AfterAGoodImage) {
  check_case(GetParam(), Start::after_good_image);
}

std::string case_name(const ::testing::TestParamInfo<Case>& info) {
  const std::string file = info.param.file;
  return case_name_of(file.substr(0, file.rfind('.')));
}

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.file;
}

INSTANTIATE_TEST_SUITE_P(Files, Regression, ::testing::ValuesIn(kCases), case_name);

TEST(RegressionFolder, EveryFileHasItsExpectation) {
  std::set<std::string> listed;
  for (const auto& c : kCases) listed.insert(c.file);
  std::set<std::string> present;
  for (const auto& e : std::filesystem::directory_iterator(data_path("regressions"))) {
    present.insert(e.path().filename().string());
  }
  EXPECT_EQ(listed, present);
}

}  // namespace
}  // namespace vtr::test
