// Every file of the third-party corpus (tests/data/corpus, listed in MANIFEST.tsv) through the
// get-image command, after a good image: a file of a supported kind must load with the pixel
// values another reader decodes (tests/tools/oracle_pixels.py, tifffile or Pillow); any other
// file must be refused with the right error line and leave the viewer usable.
//
// The expected outcome follows from the manifest's columns in the order the parser meets the
// tags (bits per sample, compression, photometric, then the next-IFD offset, then the
// layout table). Files where the viewer's rules give another outcome than that, or than the
// other readers, are listed in kExceptions with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "decode/file_report.h"
#include "decode/store_memory.h"
#include "tests/hostile_support.h"
#include "tests/support/file_runner.h"

namespace vtr::test {
namespace {

constexpr const char* kCompressionError = "[error] cannot deal with this compression format";
constexpr const char* kPhotometricError = "[error]invalid photometric setting";
constexpr const char* kMultipleIfds = "[error] cannot handle multiple IFDs";
constexpr const char* kLayoutError = "[error] not a 8 bit RGB or Grayscale 8, 12 or 16 bit image";
constexpr const char* kHeaderFault = "[error] Problem in reading TIFF header";
constexpr const char* kNotTiff = "[error] not a TIFF File";
constexpr const char* kStripless = "[error] tiled or strip-less TIFF - cannot read image";

struct Row {
  std::string file, byteorder, width, length, bits, photometric, compression, strips, ifds, kind;
};

void PrintTo(const Row& r, std::ostream* os) {
  *os << r.file;
}

std::vector<Row> read_manifest() {
  std::vector<Row> rows;
  std::ifstream f(data_path("corpus/MANIFEST.tsv"));
  std::string line;
  std::getline(f, line);  // column names
  while (std::getline(f, line)) {
    if (line.empty()) continue;
    std::istringstream in(line);
    Row r;
    std::getline(in, r.file, '\t');
    std::getline(in, r.byteorder, '\t');
    std::getline(in, r.width, '\t');
    std::getline(in, r.length, '\t');
    std::getline(in, r.bits, '\t');
    std::getline(in, r.photometric, '\t');
    std::getline(in, r.compression, '\t');
    std::getline(in, r.strips, '\t');
    std::getline(in, r.ifds, '\t');
    std::getline(in, r.kind, '\t');
    rows.push_back(r);
  }
  return rows;
}

enum class Outcome {
  loads,    // loads; every pixel equals the oracle's
  refused,  // the parser refuses it (result 1 or 2), or it has no strips: store, histogram,
            // picture stay
  fault,    // the parser fails part way or meets a second IFD: the load goes on to empty
            // the histogram and re-create the store, and leaves the header invalid
  layout,   // header good, sample layout not decodable: store re-created empty at the
            // file's size, histogram emptied, header still valid
};

struct Expectation {
  Outcome outcome = Outcome::loads;
  std::string error;  // the error line the load must add (empty: none)
  std::string why;    // for exceptions: why the viewer differs from the other readers
  // loads: the oracle's options (see oracle_pixels.py), and the rows the viewer fills from
  // the file: rows past them are 0 (-1: all rows).
  std::string oracle_options;
  int rows_read = -1;
};

Expectation expect(Outcome outcome, std::string error, std::string why = "",
                   std::string oracle_options = "", int rows_read = -1) {
  return Expectation{outcome, std::move(error), std::move(why), std::move(oracle_options),
                     rows_read};
}

// Files whose outcome is not the one the manifest's columns give.
const std::map<std::string, Expectation> kExceptions = {
    {"libtiff/test_ifd_loop_to_self.tif",
     expect(
         Outcome::fault, kMultipleIfds,
         "its next-IFD offset points back at its own IFD: the manifest counts one IFD, the viewer "
         "refuses any non-zero next-IFD offset")},
    {"pillow/16bit.r.tif",
     expect(Outcome::loads, "",
            "FillOrder 2 (bits of each byte stored in reverse): the viewer does not honour it and "
            "shows the bytes as they stand, so the oracle's bytes are bit-reversed to compare",
            "--reverse-bits")},
    {"pillow/16bit.s.tif",
     expect(Outcome::fault, kHeaderFault,
            "no RowsPerStrip: its strip height is 0 as at program start, whatever was loaded "
            "before, and StripByteCounts then cannot count the strips")},
    {"pillow/8bit.s.tif",
     expect(Outcome::loads, "", "signed 8-bit samples shown as unsigned, as 16bit.s.tif")},
    {"pillow/tiff_wrong_bits_per_sample.tiff",
     expect(Outcome::loads, "",
            "one BitsPerSample value (8) with photometric 2 and four samples per pixel: the viewer "
            "does not read SamplesPerPixel and takes every pixel as three interleaved bytes",
            "--as-rgb3")},
    {"pillow/tiff_overflow_rows_per_strip.tif",
     expect(Outcome::fault, kHeaderFault,
            "RowsPerStrip is the LONG 2147483649: it reads as 0 (\"problem making long\"), and "
            "StripByteCounts after it is a fault")},
    {"pillow/tiff_strip_planar_raw.tif",
     expect(Outcome::loads, "",
            "PlanarConfiguration 2: the viewer does not read the tag and takes the red plane's "
            "strips as interleaved RGB rows, running on into the strips after each",
            "--planes-as-interleaved")},
    {"pillow/tiff_tiled_raw.tif",
     expect(Outcome::refused, kStripless, "tiled: no StripOffsets, refused before the store")},
    {"pillow/tiff_tiled_planar_raw.tif",
     expect(Outcome::refused, kStripless, "tiled, as tiff_tiled_raw.tif")},
    {"pillow/crash-2020-10-test.tif",
     expect(Outcome::fault, kHeaderFault,
            "entries with garbage numbers: a value past the 16-bit range or a read past the end "
            "of the file stops the walk before Compression")},
    {"pillow/crash-63b1dffefc8c075ddc606c0a2f5fdc15ece78863.tif",
     expect(Outcome::fault, kHeaderFault, "garbage entries, as crash-2020-10-test.tif")},
    {"pillow/oom-225817ca0f8c663be7ab4b9e717b02c661e66834.tif",
     expect(Outcome::fault, kHeaderFault,
            "an IFD that runs past the end of the file (88 bytes in all)")},
    {"pillow/10ct_32bit_128.tiff",
     expect(Outcome::fault, kHeaderFault, "no RowsPerStrip, as 16bit.s.tif")},
};

bool is_number(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

int number_or(const std::string& s, int fallback) {
  return is_number(s) ? std::stoi(s) : fallback;
}

int count_values(const std::string& s) {
  std::istringstream in(s);
  int n = 0;
  for (std::string w; in >> w;) ++n;
  return n;
}

// What the viewer's rules give for a manifest row, tags met in ascending order after the
// good image (8-bit grey, photometric 1) was loaded.
Expectation expected_for(const Row& r) {
  if (auto it = kExceptions.find(r.file); it != kExceptions.end()) return it->second;
  if (r.kind == "(bigtiff)") return expect(Outcome::refused, kNotTiff);
  // 16-bit fields take values up to 32767; a fourth bits-per-sample value is a fault too.
  if (number_or(r.width, 0) > 32767 || number_or(r.length, 0) > 32767 || count_values(r.bits) > 3 ||
      number_or(r.compression, 1) > 32767) {
    return expect(Outcome::fault, kHeaderFault);
  }
  if (number_or(r.compression, 1) != 1) return expect(Outcome::refused, kCompressionError);
  const int photometric = number_or(r.photometric, 1);
  if (photometric > 32767) return expect(Outcome::fault, kHeaderFault);
  if (photometric > 2) return expect(Outcome::refused, kPhotometricError);
  if (number_or(r.ifds, 1) > 1) return expect(Outcome::fault, kMultipleIfds);
  if (r.kind == "other") return expect(Outcome::layout, kLayoutError);
  return expect(Outcome::loads, "");
}

int divisor_for(const Row& r, const OraclePixels& o) {
  if (o.samples != 1) return 1;
  const int bits = number_or(r.bits, 8);
  return bits == 16 ? 256 : bits == 12 ? 16 : 1;
}

void check_loaded(const Row& r, const Expectation& e, const Viewer& v, const std::string& added) {
  const OraclePixels o = run_oracle(data_path("corpus/" + r.file), e.oracle_options);
  ASSERT_FALSE(o.values.empty()) << "the oracle could not read " << r.file;
  expect_error_line(added, e.error);
  ASSERT_TRUE(o.samples == 1 || o.samples == 3) << o.samples;
  expect_store_holds(v, o, e.rows_read);
  HistogramCounts bins{};
  for (std::uint32_t y = 0; y < o.length; ++y) {
    for (std::uint32_t x = 0; x < o.width; ++x) {
      ++bins[static_cast<std::size_t>(o.kept_value(x, y, e.rows_read) / divisor_for(r, o))];
    }
  }
  EXPECT_TRUE(v.app.histogram.bins == bins) << "histogram differs from the oracle's values";
  EXPECT_TRUE(v.tk.chart == bins) << "chart differs from the oracle's values";
}

// The file report's verdict for `path` against the lines its load added: shows (painted, no
// line of missing rows), shows with rows missing (painted, with the line), refused (not
// painted, with the line). Returns the verdict.
LoadVerdict expect_report_agrees(const std::string& path, const std::string& added) {
  const LoadForecast f = read_file_report(path, current_load_limit(0, 0, 1)).forecast;
  const Lines lines = crlf_lines(added);
  const bool painted = has_line(lines, "image painted");
  const bool missing = has_line(lines, kCutShortLine) || has_line(lines, kMissingStripsLine);
  EXPECT_EQ(painted, f.verdict != LoadVerdict::refused) << verdict_words(f.verdict) << "\n"
                                                        << added;
  EXPECT_EQ(missing, f.verdict == LoadVerdict::shows_with_rows_missing) << added;
  if (f.verdict != LoadVerdict::shows) {
    EXPECT_TRUE(has_line(lines, f.error)) << f.error;
  }
  return f.verdict;
}

class Corpus : public ::testing::TestWithParam<Row> {};

TEST_P(Corpus, LoadsAsAnotherReaderDoesOrIsRefusedCleanly) {
  const Row& r = GetParam();
  const Expectation e = expected_for(r);
  SCOPED_TRACE(r.file + (e.why.empty() ? "" : " (" + e.why + ")"));

  FileRun run(data_path("corpus/" + r.file), Start::after_good_image);
  Viewer& v = run.viewer;
  const Snapshot& before = run.before;
  const std::string& added = run.added;
  EXPECT_EQ(v.app.busy, 0);
  EXPECT_EQ(v.app.files.open_count(), 0);

  const Snapshot after = Snapshot::of(v);
  expect_report_agrees(data_path("corpus/" + r.file), added);
  if (e.outcome != Outcome::loads) expect_error_line(added, e.error);
  switch (e.outcome) {
    case Outcome::loads:
      check_loaded(r, e, v, added);
      return;
    case Outcome::refused:
      EXPECT_EQ(after.headervalid, 0);
      expect_image_kept(before, after, "refused by the parser");
      break;
    case Outcome::fault:
    case Outcome::layout:
      // The parser returned 0, so the load went on to empty the histogram and re-create the
      // store; the picture keeps showing the last image.
      EXPECT_EQ(after.headervalid, e.outcome == Outcome::layout ? -1 : 0);
      if (e.outcome == Outcome::layout) {
        EXPECT_EQ(after.width, number_or(r.width, 0));
        EXPECT_EQ(after.length, number_or(r.length, 0));
      }
      expect_image_emptied(before, after);
      break;
  }
  // Still usable: the good image loads again as it did the first time.
  v.load(run.good->path());
  expect_image_kept(before, Snapshot::of(v), "the good image loaded again");
}

std::string test_name(const ::testing::TestParamInfo<Row>& info) {
  return case_name_of(info.param.file);
}

// The samples, a folder, and the kinds a user meets that get image refuses or shows with rows
// missing, made here.
TEST(FileReport, AgreesWithGetImageOnSamplesAndMadeFiles) {
  std::vector<std::pair<std::string, LoadVerdict>> paths = {
      {VTR_SOURCE_DIR "/samples", LoadVerdict::refused}};
  for (const auto& e : std::filesystem::directory_iterator(VTR_SOURCE_DIR "/samples")) {
    if (e.path().extension() == ".tif") paths.emplace_back(e.path().string(), LoadVerdict::shows);
  }
  // A 4 x 4 8-bit grey image, its four rows in strips of `rows` from `offsets`, with `extra`
  // entries.
  const auto grey4 = [](std::vector<std::uint32_t> offsets, std::uint32_t rows) {
    TiffBuilder b;
    b.short_value(256, 4).short_value(257, 4).short_value(258, 8).short_value(262, 1);
    b.strip_offsets(offsets).long_value(278, rows).data(Bytes(16, 7));
    return b;
  };
  Bytes cut = grey4({0}, 4).build();
  cut.resize(cut.size() - 3);
  const struct {
    Bytes bytes;
    LoadVerdict verdict;
  } made[] = {
      {{}, LoadVerdict::refused},
      {{0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 13, 'I', 'H', 'D', 'R'},
       LoadVerdict::refused},
      {TiffBuilder().magic(43).build(), LoadVerdict::refused},            // BigTIFF
      {grey4({0}, 4).short_value(259, 5).build(), LoadVerdict::refused},  // LZW
      {grey4({0}, 4).short_value(258, 32).short_value(339, 3).build(), LoadVerdict::refused},
      {grey4({0}, 4).next_ifd(8).build(), LoadVerdict::refused},  // pages
      {TiffBuilder()
           .short_value(256, 4)
           .short_value(257, 4)
           .short_value(258, 8)
           .short_value(262, 1)
           .short_value(322, 16)
           .short_value(323, 16)
           .build(),
       LoadVerdict::refused},  // tiled
      {grey4({0}, 4).build(), LoadVerdict::shows},
      {cut, LoadVerdict::shows_with_rows_missing},
      {grey4({0, 4}, 1).build(), LoadVerdict::shows_with_rows_missing},  // 2 of 4 strips
  };
  std::vector<std::unique_ptr<TempFile>> files;
  for (const auto& m : made) {
    files.push_back(std::make_unique<TempFile>(m.bytes));
    paths.emplace_back(files.back()->path(), m.verdict);
  }
  for (const auto& [path, verdict] : paths) {
    SCOPED_TRACE(path);
    const FileRun run(path, Start::fresh);
    EXPECT_EQ(verdict_words(expect_report_agrees(path, run.added)), verdict_words(verdict));
  }
}

INSTANTIATE_TEST_SUITE_P(ThirdParty, Corpus, ::testing::ValuesIn(read_manifest()), test_name);

TEST(CorpusManifest, ListsEveryFileOfTheCorpusAndEveryExceptionIsAFileOfIt) {
  std::set<std::string> listed;
  for (const auto& r : read_manifest()) listed.insert(r.file);
  std::set<std::string> present;
  for (const char* dir : {"libtiff", "pillow"}) {
    for (const auto& e : std::filesystem::directory_iterator(data_path("corpus/") + dir)) {
      std::string name = e.path().filename().string();
      if (name == "LICENSE" || name == "LICENSE.md") continue;
      present.insert(std::string(dir) + "/" + name);
    }
  }
  EXPECT_EQ(listed, present);
  EXPECT_GE(listed.size(), 140u);
  for (const auto& [file, e] : kExceptions) EXPECT_TRUE(listed.count(file)) << file;
}

}  // namespace
}  // namespace vtr::test
