// The walk over the file header and the first IFD: line order, results and headervalid.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/messages.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/header_run.h"
#include "tests/support/tiff_builder.h"

namespace vtr {
namespace {

using test::Bytes;
using test::TiffBuilder;
using Lines = std::vector<std::string>;

const char kFailure[] = "[error] Problem in reading TIFF header";

class HeaderTest : public ::testing::Test {
 protected:
  HeaderTest() { app.showtext = kTrue; }
  std::int16_t parse(const Bytes& bytes) {
    app.lines.replace("");
    return test::parse_header(app, bytes);
  }
  Lines lines() const { return test::lines_written(app); }
  bool has_line(const std::string& line) const {
    for (const auto& l : lines()) {
      if (l == line) return true;
    }
    return false;
  }
  test::FakeToolkit tk;
  App app{tk};
};

// The message area text for these lines, written one after the other.
std::string newest_first(const Lines& lines) {
  std::string text;
  for (const auto& l : lines) text = l + "\r\n" + text;
  return text;
}

TEST_F(HeaderTest, EmptyIfdInBothOrders) {
  for (bool mm : {false, true}) {
    EXPECT_EQ(parse(TiffBuilder(mm).build()), 0);
    const Lines expected = {
        "Header contents",
        mm ? "MM mode most to least byte order" : "II mode least to most byte order",
        "IFD pointer 8",
        "IFD entries 0",
        "Next IFD",
        "Next header offset  0",
        "IFDs terminated",
        "End of header contents"};
    EXPECT_EQ(app.messages.text(), newest_first(expected));
    EXPECT_EQ(tk.text(TextBox::Text1), newest_first(expected));
    EXPECT_EQ(app.header.headervalid, kTrue);
  }
}

TEST_F(HeaderTest, GrayscaleImageDumpLineForLine) {
  for (bool mm : {false, true}) {
    tk.texts[TextBox::image_type] = "";
    test::ImageSpec img;
    img.mm = mm;
    img.width = 512;
    img.length = 480;
    EXPECT_EQ(parse(test::image(img)), 0);
    const Lines expected = {
        "Header contents",
        mm ? "MM mode most to least byte order" : "II mode least to most byte order",
        "IFD pointer 8",
        "IFD entries 9",
        "imagewidth  512",
        "imagelength  480",
        "bitspersample  1  8",
        "compression  1",
        "photometric  1",
        "stripoffsets  122",
        "samplesperpixel  1",
        "rowsperstrip  480",
        "stripsperimage  1",
        "stripbytecounts 1  245760",
        "Next IFD",
        "Next header offset  0",
        "IFDs terminated",
        "End of header contents"};
    EXPECT_EQ(app.messages.text(), newest_first(expected)) << mm;
    const ImageHeader& h = app.header;
    EXPECT_EQ(h.headervalid, kTrue);
    EXPECT_EQ(h.mmorder, mm ? kTrue : kFalse);
    EXPECT_EQ(h.imagewidth, 512);
    EXPECT_EQ(h.imagelength, 480);
    EXPECT_EQ(h.bitspersample[1], 8);
    EXPECT_EQ(h.stripoffsets[1], 122);
    EXPECT_EQ(h.stripoffsetcount, 1);
    EXPECT_EQ(h.stripsperimage, 1);
    EXPECT_EQ(h.stripbytecounts[1], 245760);
    EXPECT_EQ(tk.text(TextBox::image_type), "grayscale (black=0)");
    EXPECT_EQ(tk.text(TextBox::image_width), " 512");
    EXPECT_EQ(tk.text(TextBox::image_length), " 480");
    EXPECT_EQ(tk.text(TextBox::image_bitspersample), " 8");
  }
}

TEST_F(HeaderTest, DumpIsSilentWithoutShowtextButErrorsShow) {
  app.showtext = kFalse;
  EXPECT_EQ(parse(TiffBuilder().short_value(256, 40000).build()), 0);
  EXPECT_EQ(app.messages.text(), std::string(kFailure) + "\r\n");
  EXPECT_EQ(parse(TiffBuilder().short_value(256, 64).build()), 0);
  EXPECT_EQ(app.messages.text(), "");
  EXPECT_EQ(tk.text(TextBox::image_width), " 64") << "read-out boxes are set whatever showtext";
}

// Files that are refused or that fault, with the result, headervalid and the last lines.
struct Outcome {
  const char* name;
  std::function<Bytes(bool mm)> bytes;
  std::int16_t result;
  std::int16_t headervalid;
  Lines last;  // the final lines, oldest first
};

Bytes header_only(bool mm, std::uint8_t b2, std::uint8_t b3, std::uint32_t ifd) {
  TiffBuilder t(mm);
  Bytes b = {static_cast<std::uint8_t>(mm ? 'M' : 'I'), static_cast<std::uint8_t>(mm ? 'M' : 'I'),
             b2, b3};
  t.put32(b, ifd);
  return b;
}

Bytes cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

std::vector<std::uint32_t> strip_list(std::size_t n) {
  return std::vector<std::uint32_t>(n, 0);
}

const std::vector<Outcome>& outcomes() {
  static const std::vector<Outcome> cases = {
      {"compression 5",
       [](bool mm) { return TiffBuilder(mm).short_value(259, 5).short_value(262, 1).build(); },
       1,
       kTrue,
       {"compression  5", "[error] cannot deal with this compression format"}},
      {"photometric 3",
       [](bool mm) { return TiffBuilder(mm).short_value(262, 3).short_value(256, 9).build(); },
       2,
       kTrue,
       {"photometric  3", "[error]invalid photometric setting"}},
      {"number other than 42",
       [](bool mm) { return TiffBuilder(mm).magic(43).build(); },
       1,
       kFalse,
       {"[error] not a TIFF File"}},
      {"number above 32767",
       [](bool mm) { return TiffBuilder(mm).magic(0x8000).build(); },
       0,
       kFalse,
       {kFailure}},
      {"unknown mark",
       [](bool mm) { return TiffBuilder(mm).mark('I', 'M').build(); },
       1,
       kFalse,
       {"Header contents", "[error] unknown byte order mode - cannot read file"}},
      {"second IFD",
       [](bool mm) { return TiffBuilder(mm).short_value(256, 4).next_ifd(26).build(); },
       0,
       kFalse,
       {"Next IFD", "Next header offset  26", "[error] cannot handle multiple IFDs",
        "End of header contents"}},
      {"second IFD offset shown unsigned",
       [](bool mm) { return TiffBuilder(mm).next_ifd(0x80000000u).build(); },
       0,
       kFalse,
       {"Next header offset  2147483648", "[error] cannot handle multiple IFDs",
        "End of header contents"}},
      {"ImageWidth 40000 as SHORT",
       [](bool mm) { return TiffBuilder(mm).short_value(257, 7).short_value(256, 40000).build(); },
       0,
       kFalse,
       {"imagelength  7", kFailure}},
      {"NewSubfileType above 32767",
       [](bool mm) { return TiffBuilder(mm).long_value(254, 32768).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"fourth BitsPerSample",
       [](bool mm) {
         return TiffBuilder(mm).shorts_at(258, {8, 8, 8, 8}).build();
       },
       0,
       kFalse,
       {"bitspersample  1  8", "bitspersample  2  8", "bitspersample  3  8", kFailure}},
      {"1025th strip offset",
       [](bool mm) { return TiffBuilder(mm).longs_at(273, strip_list(1025)).build(); },
       0,
       kFalse,
       {"stripoffsets  1023  0", "stripoffsets  1024  0", kFailure}},
      {"1025th strip offset, too big for a LONG, is never read",
       [](bool mm) {
         std::vector<std::uint32_t> offsets = strip_list(1024);
         offsets.push_back(0xFFFFFFFFu);
         return TiffBuilder(mm).longs_at(273, offsets).build();
       },
       0,
       kFalse,
       {"stripoffsets  1024  0", kFailure}},
      {"1025th strip byte count",
       [](bool mm) {
         return TiffBuilder(mm).long_value(278, 1).longs_at(279, strip_list(1025)).build();
       },
       0,
       kFalse,
       {"stripbytecounts  1024 0", kFailure}},
      {"RowsPerStrip 0 before StripByteCounts",
       [](bool mm) { return TiffBuilder(mm).long_value(278, 0).long_value(279, 10).build(); },
       0,
       kFalse,
       {"rowsperstrip  0", kFailure}},
      {"strips per image overflows",
       [](bool mm) {
         return TiffBuilder(mm)
             .short_value(257, 2)
             .long_value(278, 0x7FFFFFFF)
             .long_value(279, 10)
             .build();
       },
       0,
       kFalse,
       {"rowsperstrip  2147483647", kFailure}},
      {"zero resolution denominator",
       [](bool mm) { return TiffBuilder(mm).rational(282, 72, 0).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"BitsPerSample count above 32767",
       [](bool mm) { return TiffBuilder(mm).raw(258, 3, 32768, 8).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"StripOffsets count above 32767",
       [](bool mm) { return TiffBuilder(mm).raw(273, 4, 40000, 8).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"StripByteCounts count above 32767",
       [](bool mm) { return TiffBuilder(mm).long_value(278, 1).raw(279, 4, 32768, 8).build(); },
       0,
       kFalse,
       {"stripsperimage  0", kFailure}},
      {"Software count above 32767",
       [](bool mm) { return TiffBuilder(mm).raw(305, 2, 65535, 8).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"private tag count above 32767",
       [](bool mm) { return TiffBuilder(mm).raw(40100, 1, 32768, 8).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"IFD entries above 32767",
       [](bool mm) {
         Bytes b = header_only(mm, mm ? 0 : 42, mm ? 42 : 0, 8);
         b.push_back(mm ? 0x80 : 0x00);
         b.push_back(mm ? 0x00 : 0x80);
         return b;
       },
       0,
       kFalse,
       {"IFD pointer 8", kFailure}},
      {"file ends inside the header",
       [](bool mm) { return cut(TiffBuilder(mm).build(), 6); },
       0,
       kFalse,
       {"Header contents", kFailure}},
      {"IFD pointer past the end",
       [](bool mm) { return header_only(mm, mm ? 0 : 42, mm ? 42 : 0, 1000); },
       0,
       kFalse,
       {"IFD pointer 1000", kFailure}},
      {"file ends inside the IFD",
       [](bool mm) {
         return cut(TiffBuilder(mm).short_value(256, 5).short_value(257, 6).build(), 30);
       },
       0,
       kFalse,
       {"imagewidth  5", kFailure}},
      {"file ends before the next-IFD offset",
       [](bool mm) { return cut(TiffBuilder(mm).short_value(256, 5).build(), 24); },
       0,
       kFalse,
       {"imagewidth  5", "Next IFD", kFailure}},
      {"out-of-line value past the end",
       [](bool mm) { return TiffBuilder(mm).raw(283, 5, 1, 5000).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"out-of-line value cut short",
       [](bool mm) { return cut(TiffBuilder(mm).rational(282, 72, 1).build(), 30); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"array offset beyond 31 bits",
       [](bool mm) { return TiffBuilder(mm).raw(273, 4, 2, 0x7FFFFFFC).build(); },
       0,
       kFalse,
       {"IFD entries 1", kFailure}},
      {"IFD pointer of 2^32-1 reads the header as an IFD",
       [](bool mm) { return header_only(mm, mm ? 0 : 42, mm ? 42 : 0, 0xFFFFFFFFu); },
       0,
       kFalse,
       {"[error] problem making long", "IFD pointer 0", "IFD entries 18761", kFailure}},
  };
  return cases;
}

TEST_F(HeaderTest, RefusalsAndFaults) {
  for (const auto& c : outcomes()) {
    for (bool mm : {false, true}) {
      app.header = ImageHeader{};
      const std::int16_t result = parse(c.bytes(mm));
      const std::string what = std::string(c.name) + (mm ? " MM" : " II");
      EXPECT_EQ(result, c.result) << what;
      EXPECT_EQ(app.header.headervalid, c.headervalid) << what;
      Lines got = lines();
      ASSERT_GE(got.size(), c.last.size()) << what;
      Lines tail(got.end() - static_cast<std::ptrdiff_t>(c.last.size()), got.end());
      if (std::string(c.name).rfind("IFD pointer of", 0) == 0 && mm) {
        continue;  // "MM" read as a count is 19789: checked below
      }
      EXPECT_EQ(tail, c.last) << what;
    }
  }
}

TEST_F(HeaderTest, RejectionStopsTheWalk) {
  const Bytes b = TiffBuilder().short_value(259, 5).short_value(256, 9).build();
  EXPECT_EQ(parse(b), 1);
  EXPECT_FALSE(has_line("imagewidth  9"));
  EXPECT_FALSE(has_line("Next IFD"));
  EXPECT_EQ(parse(TiffBuilder(true).short_value(262, 3).build()), 2);
  EXPECT_EQ(tk.text(TextBox::image_type), "invalid");
  EXPECT_FALSE(has_line("Next IFD"));
}

TEST_F(HeaderTest, BadIfdPointerUnderMmWalksBoundedAndFaults) {
  EXPECT_EQ(parse(header_only(true, 0, 42, 0xFFFFFFFFu)), 0);
  const Lines got = lines();
  ASSERT_GE(got.size(), 2u);
  EXPECT_EQ(got[got.size() - 2], "IFD entries 19789");  // "MM" read as the entry count
  EXPECT_EQ(got.back(), kFailure);
}

TEST_F(HeaderTest, MmNumberByteSwappedIsNotTiff) {
  // 2A 00 under MM is 10752.
  EXPECT_EQ(parse(header_only(true, 0x2A, 0x00, 8)), 1);
  EXPECT_EQ(lines().back(), "[error] not a TIFF File");
  EXPECT_FALSE(has_line("IFD pointer 8"));
}

TEST_F(HeaderTest, UnknownMarkWritesNoPointer) {
  for (const auto& mark : {std::string("ii"), std::string("MI"), std::string("\0\0", 2)}) {
    parse(TiffBuilder(true).build());
    EXPECT_EQ(app.header.mmorder, kTrue);
    Bytes b = TiffBuilder().build();
    b[0] = static_cast<std::uint8_t>(mark[0]);
    b[1] = static_cast<std::uint8_t>(mark[1]);
    EXPECT_EQ(parse(b), 1);
    EXPECT_EQ(app.header.mmorder, kFalse) << "not the previous file's order";
    EXPECT_EQ(app.header.headervalid, kFalse);
    EXPECT_FALSE(has_line("IFD pointer 8"));
  }
}

// Whatever was opened before, a file gives the same record, lines and summary boxes as in a
// viewer that opened nothing yet.
TEST_F(HeaderTest, EachFileParsesAsIfItWereTheFirst) {
  const Bytes first = TiffBuilder(true)
                          .short_value(256, 100)
                          .short_value(257, 50)
                          .short_value(258, 8)
                          .short_value(262, 2)
                          .strip_offsets({0, 10, 20})
                          .long_value(278, 20)
                          .rational(282, 300, 1)
                          .short_value(296, 2)
                          .ascii(305, "First")
                          .ascii(306, "2001:02:03 04:05:06")
                          .build();
  const Bytes seconds[] = {
      // StripByteCounts before the strip height: the first file's would count its strips.
      TiffBuilder().long_value(279, 7).short_value(256, 64).strip_offsets({0}).build(),
      TiffBuilder().short_value(256, 64).short_value(257, 4).strip_offsets({0}).build(),
  };
  for (const Bytes& second : seconds) {
    test::FakeToolkit freshtk;
    App fresh{freshtk};
    fresh.showtext = kTrue;
    test::parse_header(fresh, second);
    ASSERT_EQ(parse(first), 0);
    parse(second);
    EXPECT_TRUE(app.header == fresh.header);
    EXPECT_EQ(lines(), test::lines_written(fresh));
    for (TextBox box : {TextBox::image_bitspersample, TextBox::image_type, TextBox::image_length,
                        TextBox::image_width, TextBox::image_date}) {
      EXPECT_EQ(tk.text(box), freshtk.text(box)) << static_cast<int>(box);
    }
  }
}

// A valid file whose values lie after the IFD, in the file's last bytes.
Bytes full_file(bool mm) {
  return TiffBuilder(mm)
      .short_value(256, 3)
      .short_value(257, 4)
      .shorts_at(258, {8, 8, 8})
      .short_value(259, 1)
      .short_value(262, 2)
      .longs_at(273, {200, 300})
      .short_value(277, 3)
      .long_value(278, 2)
      .longs_at(279, {18, 18})
      .rational(282, 1, 3)
      .rational(283, 72, 1)
      .ascii(305, Bytes{'V', 7, 'r', 0, 'x', 0}, 6)
      .ascii(306, "2020:01:01 00:00:00")
      .build();
}

TEST_F(HeaderTest, EveryTruncationFaultsCleanly) {
  for (bool mm : {false, true}) {
    const Bytes whole = full_file(mm);
    ASSERT_EQ(parse(whole), 0);
    ASSERT_EQ(app.header.headervalid, kTrue);
    const Lines full = lines();
    for (std::size_t size = 0; size < whole.size(); ++size) {
      app.header.headervalid = kTrue;
      EXPECT_EQ(parse(cut(whole, size)), 0) << size;
      EXPECT_EQ(app.header.headervalid, kFalse) << size;
      Lines got = lines();
      ASSERT_FALSE(got.empty());
      EXPECT_EQ(got.back(), kFailure) << size;
      got.pop_back();
      // Whatever was written before the fault is what the whole file writes first.
      ASSERT_LE(got.size(), full.size()) << size;
      EXPECT_TRUE(std::equal(got.begin(), got.end(), full.begin())) << size;
    }
  }
}

TEST_F(HeaderTest, DamagedBytesNeverEscapeTheFile) {
  std::mt19937 rng(12345);
  const Bytes whole = full_file(false);
  for (int round = 0; round < 400; ++round) {
    Bytes b = whole;
    const int flips = 1 + static_cast<int>(rng() % 4);
    for (int f = 0; f < flips; ++f) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
    const std::int16_t result = parse(b);
    EXPECT_TRUE(result >= 0 && result <= 2) << round;
    if (app.header.headervalid == kTrue) {
      EXPECT_NE(lines().back(), kFailure) << round;
    }
    EXPECT_EQ(app.header.imagedate.size(), 20u);
    EXPECT_GE(app.header.stripoffsetcount, 0);
    EXPECT_LE(app.header.stripoffsetcount, kMaxStrips);
  }
}

TEST_F(HeaderTest, RepeatedListTagsEndTheParse) {
  // The most entries an IFD may have, every one a full list pointing at the same bytes:
  // TIFF allows each tag once, and the walk stops (as a fault) once the lists pass what a
  // file of single tags can hold, dump on or off.
  const int n = 32767;
  const std::uint32_t shared = 8 + 2 + 12 * static_cast<std::uint32_t>(n) + 4;
  TiffBuilder b;
  for (int k = 0; k < n; ++k) {
    if (k % 2 == 0) {
      b.raw(273, test::kLong, 1024, shared);
    } else {
      b.raw(305, test::kAscii, 32767, shared);
    }
  }
  b.data(Bytes(32767, 0x01));
  const Bytes bytes = b.build();
  for (std::int16_t show : {kFalse, kTrue}) {
    app.messages.replace("");
    app.showtext = show;
    EXPECT_EQ(parse(bytes), 0);
    EXPECT_EQ(app.header.headervalid, kFalse);
    const std::string text = app.messages.text();
    EXPECT_EQ(text.rfind("[error] Problem in reading TIFF header\r\n", 0), 0u);
    EXPECT_LT(text.size(), 4u << 20) << "the dump stays bounded";
  }
  // Every list tag once, each at its largest, still parses.
  TiffBuilder single;
  std::vector<std::uint32_t> offsets(1024, 0);
  single.short_value(257, 1024).longs_at(273, offsets).long_value(278, 1).longs_at(279, offsets);
  single.ascii(305, Bytes(32767, 'a'), 32767).shorts_at(258, {8, 8, 8});
  app.showtext = kFalse;
  EXPECT_EQ(parse(single.build()), 0);
  EXPECT_EQ(app.header.headervalid, kTrue);
  EXPECT_EQ(app.header.software.size(), 32767u);
}

}  // namespace
}  // namespace vtr
