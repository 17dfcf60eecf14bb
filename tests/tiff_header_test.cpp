// The walk over the file header and the first IFD: line order, results and the record; and
// the get-header step over the program record, which sets headervalid and writes the lines to
// the message area.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "decode/getheader.h"
#include "tests/support/app_fixture.h"
#include "tests/support/header_fixture.h"
#include "tests/support/tiff_builder.h"

namespace vtr {
namespace {

using test::Bytes;
using test::has_line;
using test::Lines;
using test::TiffBuilder;

const char kFailure[] = "[error] Problem in reading TIFF header";

class HeaderTest : public test::ParseTest {};

INSTANTIATE_TEST_SUITE_P(, HeaderTest, ::testing::Bool(), test::order_name);

// The get-header step of a load, over the program record with the dump shown.
class GetHeaderTest : public test::AppTest {
 protected:
  GetHeaderTest() { app.showtext = kTrue; }
  // Opens `bytes` as a file under the next free file number, reads its header and closes it.
  std::int16_t parse(const Bytes& bytes) {
    const test::TempFile file(bytes);
    const std::int16_t p = app.files.next_free();
    app.files.open(p, file.path());
    const HeaderResult result = getheader(app, p);
    app.files.close(p);
    return headernumber(result);
  }
};

INSTANTIATE_TEST_SUITE_P(, GetHeaderTest, ::testing::Bool(), test::order_name);

// The dump's line for the byte order.
const char* order_line(bool mm) {
  return mm ? "MM mode most to least byte order" : "II mode least to most byte order";
}

// The message area text for these lines, written one after the other.
std::string newest_first(const Lines& lines) {
  std::string text;
  for (const auto& l : lines) text = l + "\r\n" + text;
  return text;
}

TEST_P(GetHeaderTest, EmptyIfd) {
  EXPECT_EQ(parse(TiffBuilder(mm()).build()), 0);
  const Lines expected = {
      "Header contents", order_line(mm()),        "IFD pointer 8",   "IFD entries 0",
      "Next IFD",        "Next header offset  0", "IFDs terminated", "End of header contents"};
  EXPECT_EQ(app.messages.text(), newest_first(expected));
  EXPECT_EQ(tk.text(TextBox::Text1), newest_first(expected));
  EXPECT_EQ(app.header.headervalid, kTrue);
}

TEST_P(HeaderTest, GrayscaleImageDumpLineForLine) {
  test::StripImage img;
  img.mm = mm();
  img.width = 512;
  img.length = 480;
  EXPECT_EQ(parse(test::image(img)), 0);
  const Lines expected = {"Header contents",
                          order_line(mm()),
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
  EXPECT_EQ(lines(), expected);
  EXPECT_TRUE(result.accepted());
  EXPECT_EQ(header.mmorder, mm() ? kTrue : kFalse);
  EXPECT_EQ(header.imagewidth, 512);
  EXPECT_EQ(header.imagelength, 480);
  EXPECT_EQ(header.bitspersample[1], 8);
  EXPECT_EQ(header.stripoffsets[1], 122);
  EXPECT_EQ(header.stripoffsetcount, 1);
  EXPECT_EQ(header.stripsperimage, 1);
  EXPECT_EQ(header.stripbytecounts[1], 245760);
  EXPECT_EQ(boxes.text(TextBox::image_type), "grayscale (black=0)");
  EXPECT_EQ(boxes.text(TextBox::image_width), " 512");
  EXPECT_EQ(boxes.text(TextBox::image_length), " 480");
  EXPECT_EQ(boxes.text(TextBox::image_bitspersample), " 8");
}

TEST_P(HeaderTest, DumpIsSilentWithoutShowtextButErrorsShow) {
  recorded.shown = false;
  EXPECT_EQ(parse(TiffBuilder(mm()).short_value(256, 40000).build()), 0);
  EXPECT_EQ(lines(), Lines{kFailure});
  EXPECT_EQ(parse(TiffBuilder(mm()).short_value(256, 64).build()), 0);
  EXPECT_EQ(lines(), Lines{});
  EXPECT_EQ(boxes.text(TextBox::image_width), " 64") << "read-out boxes are set whatever showtext";
}

// A file that is refused or that faults, with the result, headervalid and the last lines.
struct Outcome {
  const char* name;
  Bytes bytes;
  std::int16_t result;
  std::int16_t headervalid;
  Lines last;  // the final lines, oldest first
};

// The row of `name`: `bytes` give `result` and `valid` as headervalid, and end with `last`.
Outcome outcome(const char* name, const Bytes& bytes, std::int16_t result, std::int16_t valid,
                Lines last) {
  return {name, bytes, result, valid, std::move(last)};
}

// The first `size` bytes of `b`.
Bytes cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

// The 8-byte file header alone.
Bytes header_only(const TiffBuilder& b) {
  return cut(b.build(), 8);
}

std::vector<Outcome> outcomes(bool mm) {
  using V = std::vector<std::uint32_t>;
  const TiffBuilder t(mm);
  const char* kMultiple = "[error] cannot handle multiple IFDs";
  Bytes too_many_entries = header_only(t);
  t.put16(too_many_entries, 0x8000);
  V over_long(1024, 0);
  over_long.push_back(0xFFFFFFFFu);
  return {
      outcome("compression 5", TiffBuilder(t).short_value(259, 5).short_value(262, 1).build(), 1,
              kTrue, {"compression  5", "[error] cannot deal with this compression format"}),
      outcome("photometric 3", TiffBuilder(t).short_value(262, 3).short_value(256, 9).build(), 2,
              kTrue, {"photometric  3", "[error]invalid photometric setting"}),
      outcome("number other than 42", TiffBuilder(t).magic(43).build(), 1, kFalse,
              {"[error] not a TIFF File"}),
      outcome("number above 32767", TiffBuilder(t).magic(0x8000).build(), 0, kFalse, {kFailure}),
      outcome("unknown mark", TiffBuilder(t).mark('I', 'M').build(), 1, kFalse,
              {"Header contents", "[error] unknown byte order mode - cannot read file"}),
      outcome("second IFD", TiffBuilder(t).short_value(256, 4).next_ifd(26).build(), 0, kFalse,
              {"Next IFD", "Next header offset  26", kMultiple, "End of header contents"}),
      outcome("second IFD offset shown unsigned", TiffBuilder(t).next_ifd(0x80000000u).build(), 0,
              kFalse, {"Next header offset  2147483648", kMultiple, "End of header contents"}),
      outcome("ImageWidth 40000 as SHORT",
              TiffBuilder(t).short_value(257, 7).short_value(256, 40000).build(), 0, kFalse,
              {"imagelength  7", kFailure}),
      outcome("NewSubfileType above 32767", TiffBuilder(t).long_value(254, 32768).build(), 0,
              kFalse, {"IFD entries 1", kFailure}),
      outcome("fourth BitsPerSample", TiffBuilder(t).shorts_at(258, {8, 8, 8, 8}).build(), 0,
              kFalse,
              {"bitspersample  1  8", "bitspersample  2  8", "bitspersample  3  8", kFailure}),
      outcome("1025th strip offset", TiffBuilder(t).longs_at(273, V(1025, 0)).build(), 0, kFalse,
              {"stripoffsets  1023  0", "stripoffsets  1024  0", kFailure}),
      outcome("1025th strip offset, too big for a LONG, is never read",
              TiffBuilder(t).longs_at(273, over_long).build(), 0, kFalse,
              {"stripoffsets  1024  0", kFailure}),
      outcome("1025th strip byte count",
              TiffBuilder(t).long_value(278, 1).longs_at(279, V(1025, 0)).build(), 0, kFalse,
              {"stripbytecounts  1024 0", kFailure}),
      outcome("RowsPerStrip 0 before StripByteCounts",
              TiffBuilder(t).long_value(278, 0).long_value(279, 10).build(), 0, kFalse,
              {"rowsperstrip  0", kFailure}),
      outcome("strips per image overflows",
              TiffBuilder(t)
                  .short_value(257, 2)
                  .long_value(278, 0x7FFFFFFF)
                  .long_value(279, 10)
                  .build(),
              0, kFalse, {"rowsperstrip  2147483647", kFailure}),
      outcome("zero resolution denominator", TiffBuilder(t).rational(282, 72, 0).build(), 0, kFalse,
              {"IFD entries 1", kFailure}),
      outcome("BitsPerSample count above 32767", TiffBuilder(t).raw(258, 3, 32768, 8).build(), 0,
              kFalse, {"IFD entries 1", kFailure}),
      outcome("StripOffsets count above 32767", TiffBuilder(t).raw(273, 4, 40000, 8).build(), 0,
              kFalse, {"IFD entries 1", kFailure}),
      outcome("StripByteCounts count above 32767",
              TiffBuilder(t).long_value(278, 1).raw(279, 4, 32768, 8).build(), 0, kFalse,
              {"stripsperimage  0", kFailure}),
      outcome("Software count above 32767", TiffBuilder(t).raw(305, 2, 65535, 8).build(), 0, kFalse,
              {"IFD entries 1", kFailure}),
      outcome("private tag count above 32767", TiffBuilder(t).raw(40100, 1, 32768, 8).build(), 0,
              kFalse, {"IFD entries 1", kFailure}),
      outcome("IFD entries above 32767", too_many_entries, 0, kFalse, {"IFD pointer 8", kFailure}),
      outcome("file ends inside the header", cut(t.build(), 6), 0, kFalse,
              {"Header contents", kFailure}),
      outcome("IFD pointer past the end", header_only(TiffBuilder(t).ifd_offset(1000)), 0, kFalse,
              {"IFD pointer 1000", kFailure}),
      outcome("file ends inside the IFD",
              cut(TiffBuilder(t).short_value(256, 5).short_value(257, 6).build(), 30), 0, kFalse,
              {"imagewidth  5", kFailure}),
      outcome("file ends before the next-IFD offset",
              cut(TiffBuilder(t).short_value(256, 5).build(), 24), 0, kFalse,
              {"imagewidth  5", "Next IFD", kFailure}),
      outcome("out-of-line value past the end", TiffBuilder(t).raw(283, 5, 1, 5000).build(), 0,
              kFalse, {"IFD entries 1", kFailure}),
      outcome("out-of-line value cut short", cut(TiffBuilder(t).rational(282, 72, 1).build(), 30),
              0, kFalse, {"IFD entries 1", kFailure}),
      outcome("array offset beyond 31 bits", TiffBuilder(t).raw(273, 4, 2, 0x7FFFFFFC).build(), 0,
              kFalse, {"IFD entries 1", kFailure}),
      outcome("IFD pointer of 2^32-1 reads the header as an IFD",
              header_only(TiffBuilder(t).ifd_offset(0xFFFFFFFFu)), 0, kFalse,
              {"[error] problem making long", "IFD pointer 0", "IFD entries 18761", kFailure}),
  };
}

TEST_P(HeaderTest, RefusalsAndFaults) {
  for (const auto& c : outcomes(mm())) {
    header = ImageHeader{};
    EXPECT_EQ(parse(c.bytes), c.result) << c.name;
    ASSERT_GE(lines().size(), c.last.size()) << c.name;
    const Lines tail(lines().end() - static_cast<std::ptrdiff_t>(c.last.size()), lines().end());
    if (std::string(c.name).rfind("IFD pointer of", 0) == 0 && mm()) {
      continue;  // "MM" read as a count is 19789: checked below
    }
    EXPECT_EQ(tail, c.last) << c.name;
  }
}

// A file is usable when the parse accepted it, and left to the load driver when it was refused
// for its compression or photometric setting.
TEST_P(GetHeaderTest, HeadervalidFollowsTheVerdict) {
  for (const auto& c : outcomes(mm())) {
    app.header = ImageHeader{};
    parse(c.bytes);
    EXPECT_EQ(app.header.headervalid, c.headervalid) << c.name;
  }
}

TEST_F(HeaderTest, RejectionStopsTheWalk) {
  const Bytes b = TiffBuilder().short_value(259, 5).short_value(256, 9).build();
  EXPECT_EQ(parse(b), 1);
  EXPECT_FALSE(has_line(lines(), "imagewidth  9"));
  EXPECT_FALSE(has_line(lines(), "Next IFD"));
  EXPECT_EQ(parse(TiffBuilder(true).short_value(262, 3).build()), 2);
  EXPECT_EQ(boxes.text(TextBox::image_type), "invalid");
  EXPECT_FALSE(has_line(lines(), "Next IFD"));
}

TEST_F(HeaderTest, BadIfdPointerUnderMmWalksBoundedAndFaults) {
  EXPECT_EQ(parse(header_only(TiffBuilder(true).ifd_offset(0xFFFFFFFFu))), 0);
  ASSERT_GE(lines().size(), 2u);
  EXPECT_EQ(lines()[lines().size() - 2], "IFD entries 19789");  // "MM" read as the entry count
  EXPECT_EQ(lines().back(), kFailure);
}

TEST_F(HeaderTest, MmNumberByteSwappedIsNotTiff) {
  // 2A 00 under MM is 10752.
  EXPECT_EQ(parse(header_only(TiffBuilder(true).magic(0x2A00))), 1);
  EXPECT_EQ(lines().back(), "[error] not a TIFF File");
  EXPECT_FALSE(has_line(lines(), "IFD pointer 8"));
}

TEST_F(HeaderTest, UnknownMarkWritesNoPointer) {
  for (const auto& mark : {std::string("ii"), std::string("MI"), std::string("\0\0", 2)}) {
    parse(TiffBuilder(true).build());
    EXPECT_EQ(header.mmorder, kTrue);
    Bytes b = TiffBuilder().build();
    b[0] = static_cast<std::uint8_t>(mark[0]);
    b[1] = static_cast<std::uint8_t>(mark[1]);
    EXPECT_EQ(parse(b), 1);
    EXPECT_EQ(header.mmorder, kFalse) << "not the previous file's order";
    EXPECT_EQ(result.fault, HeaderFault::unknown_byte_order);
    EXPECT_FALSE(has_line(lines(), "IFD pointer 8"));
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
    test::HeaderRun fresh;
    fresh.parse(second);
    ASSERT_EQ(parse(first), 0);
    parse(second);
    EXPECT_TRUE(header == fresh.header);
    EXPECT_EQ(lines(), fresh.recorded.lines);
    for (TextBox box : {TextBox::image_bitspersample, TextBox::image_type, TextBox::image_length,
                        TextBox::image_width, TextBox::image_date}) {
      EXPECT_EQ(boxes.text(box), fresh.boxes.text(box)) << static_cast<int>(box);
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

TEST_P(HeaderTest, EveryTruncationFaultsCleanly) {
  const Bytes whole = full_file(mm());
  ASSERT_EQ(parse(whole), 0);
  ASSERT_TRUE(result.accepted());
  const Lines full = lines();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_EQ(parse(cut(whole, size)), 0) << size;
    EXPECT_FALSE(result.accepted() || result.rejected()) << size;
    Lines got = lines();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), kFailure) << size;
    got.pop_back();
    // Whatever was written before the fault is what the whole file writes first.
    ASSERT_LE(got.size(), full.size()) << size;
    EXPECT_TRUE(std::equal(got.begin(), got.end(), full.begin())) << size;
  }
}

TEST_P(HeaderTest, DamagedBytesNeverEscapeTheFile) {
  std::mt19937 rng(12345);
  const Bytes whole = full_file(mm());
  for (int round = 0; round < 400; ++round) {
    Bytes b = whole;
    const int flips = 1 + static_cast<int>(rng() % 4);
    for (int f = 0; f < flips; ++f) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
    const std::int16_t number = parse(b);
    EXPECT_TRUE(number >= 0 && number <= 2) << round;
    if (result.accepted() || result.rejected()) {
      EXPECT_NE(lines().back(), kFailure) << round;
    }
    EXPECT_EQ(header.imagedate.size(), 20u);
    EXPECT_GE(header.stripoffsetcount, 0);
    EXPECT_LE(header.stripoffsetcount, kMaxStrips);
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
  for (bool shown : {false, true}) {
    recorded.shown = shown;
    EXPECT_EQ(parse(bytes), 0);
    EXPECT_EQ(result.fault, HeaderFault::values_used_up);
    EXPECT_EQ(lines().back(), kFailure);
    std::size_t size = 0;
    for (const auto& l : lines()) size += l.size() + 2;
    EXPECT_LT(size, 4u << 20) << "the dump stays bounded";
  }
  // Every list tag once, each at its largest, still parses.
  TiffBuilder single;
  std::vector<std::uint32_t> offsets(1024, 0);
  single.short_value(257, 1024).longs_at(273, offsets).long_value(278, 1).longs_at(279, offsets);
  single.ascii(305, Bytes(32767, 'a'), 32767).shorts_at(258, {8, 8, 8});
  recorded.shown = false;
  EXPECT_EQ(parse(single.build()), 0);
  EXPECT_TRUE(result.accepted());
  EXPECT_EQ(header.software.size(), 32767u);
}

}  // namespace
}  // namespace vtr
