// What each tag stores, writes and shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/header_fixture.h"
#include "tests/support/tiff_builder.h"
#include "tiff/getheader.h"

namespace vtr {
namespace {

using test::Bytes;
using test::Lines;
using test::TiffBuilder;

const char kFailure[] = "[error] Problem in reading TIFF header";

class TagTest : public test::ParseTest {
 protected:
  // Parses the file and returns the lines written between "IFD entries" and "Next IFD" (or
  // up to the end when the walk stopped early); the result as a number goes to `number`.
  Lines entry_lines(const TiffBuilder& b) {
    number = parse(b.build());
    Lines out;
    bool in = false;
    for (const auto& l : lines()) {
      if (l == "Next IFD") break;
      if (in) out.push_back(l);
      if (l.rfind("IFD entries", 0) == 0) in = true;
    }
    return out;
  }
  std::int16_t number = -1;
};

INSTANTIATE_TEST_SUITE_P(, TagTest, ::testing::Bool(), test::order_name);

TEST_P(TagTest, SingleValueTagsInEitherOrder) {
  struct Case {
    std::uint16_t tag;
    std::uint16_t value;
    const char* line;
    std::int16_t ImageHeader::*field;
  };
  const Case cases[] = {
      {255, 2, "subfiletype  2", &ImageHeader::subfiletype},
      {263, 1, "thresholding  1", &ImageHeader::thresholding},
      {264, 3, "cell width  3", &ImageHeader::cellwidth},
      {265, 4, "celllength  4", &ImageHeader::celllength},
      {266, 2, "fillorder  2", &ImageHeader::fillorder},
      {274, 1, "orientation  1", &ImageHeader::orientation},
      {277, 3, "samplesperpixel  3", &ImageHeader::samplesperpixel},
      {284, 1, "planar  1", &ImageHeader::planar},
      {296, 3, "resolutionunit  3", &ImageHeader::resolutionunit},
      {256, 32767, "imagewidth  32767", &ImageHeader::imagewidth},
      {257, 0, "imagelength  0", &ImageHeader::imagelength},
  };
  for (const auto& c : cases) {
    header = ImageHeader{};
    EXPECT_EQ(entry_lines(TiffBuilder(mm()).short_value(c.tag, c.value)), Lines{c.line}) << c.tag;
    EXPECT_EQ(header.*c.field, c.value) << c.tag;
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(result.accepted());
  }
}

TEST_P(TagTest, NewSubfileTypeTakesTheWholeLong) {
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).long_value(254, 1)), Lines{"newsubfiletype 1"});
  EXPECT_EQ(header.newsubfiletype, 1);
  // A SHORT left-justified under MM is 65536 as a LONG: above 32767.
  entry_lines(TiffBuilder(mm()).short_value(254, 1));
  EXPECT_EQ(number, 0);
  EXPECT_EQ(result.fault, mm() ? HeaderFault::value_too_big : HeaderFault::none);
}

TEST_P(TagTest, WidthAndLengthTakeTheValueByType) {
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).long_value(256, 700).long_value(257, 32767)),
            (Lines{"imagewidth  700", "imagelength  32767"}));
  EXPECT_EQ(boxes.text(TextBox::image_width), " 700");
  EXPECT_EQ(boxes.text(TextBox::image_length), " 32767");
  // Type 1 (BYTE) counts as LONG: the four bytes of the value field.
  entry_lines(TiffBuilder(mm()).raw(256, 1, 1, 300));
  EXPECT_EQ(header.imagewidth, 300);
  entry_lines(TiffBuilder(mm()).long_value(257, 32768));
  EXPECT_EQ(result.fault, HeaderFault::value_too_big);
}

TEST_P(TagTest, PhotometricSetsTheImageType) {
  struct Case {
    std::uint16_t v;
    const char* type;
    std::int16_t result;
  };
  const Case cases[] = {{0, "grayscale (white=0)", 0},
                        {1, "grayscale (black=0)", 0},
                        {2, "RGB", 0},
                        {3, "invalid", 2},
                        {32767, "invalid", 2}};
  for (const auto& c : cases) {
    entry_lines(TiffBuilder(mm()).short_value(262, c.v));
    EXPECT_EQ(boxes.text(TextBox::image_type), c.type) << c.v;
    EXPECT_EQ(number, c.result) << c.v;
    EXPECT_EQ(header.photometric, c.v);
  }
}

TEST_P(TagTest, CompressionOnlyOneIsAccepted) {
  struct Case {
    std::uint16_t v;
    std::int16_t result;
    HeaderFault fault;
    Lines lines;
  };
  using enum HeaderFault;
  const Case cases[] = {
      {1, 0, none, {"compression  1", "photometric  1"}},
      {5, 1, compression, {"compression  5", "[error] cannot deal with this compression format"}},
      {32773, 0, value_too_big, {kFailure}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(entry_lines(TiffBuilder(mm()).short_value(259, c.v).short_value(262, 1)), c.lines);
    EXPECT_EQ(number, c.result) << c.v;
    EXPECT_EQ(result.fault, c.fault) << c.v;
  }
}

TEST_P(TagTest, OrientationWarnsAndTheWalkGoesOn) {
  EXPECT_EQ(
      entry_lines(TiffBuilder(mm()).short_value(274, 3).short_value(256, 10)),
      (Lines{"orientation  3", "[error] image will not be displayed with the correct orientation",
             "imagewidth  10"}));
  EXPECT_EQ(number, 0);
  EXPECT_TRUE(result.accepted());
  EXPECT_EQ(lines().back(), "End of header contents");
}

TEST_P(TagTest, BitsPerSample) {
  boxes.set_text(TextBox::image_bitspersample, "kept");
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).shorts_at(258, {8, 8, 8})),
            (Lines{"bitspersample  1  8", "bitspersample  2  8", "bitspersample  3  8"}));
  EXPECT_EQ(boxes.text(TextBox::image_bitspersample), "") << "cleared when the parse starts";
  // Read as SHORTs whatever the type says.
  TiffBuilder b(mm());
  b.shorts_at(258, {16, 12, 8});
  Bytes bytes = b.build();
  bytes[8 + 2 + 2 + (mm() ? 1 : 0)] = 4;  // field type LONG
  parse(bytes);
  EXPECT_EQ(header.bitspersample[1], 16);
  EXPECT_EQ(header.bitspersample[2], 12);
  EXPECT_EQ(header.bitspersample[3], 8);
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).short_value(258, 12)), Lines{"bitspersample  1  12"});
  EXPECT_EQ(boxes.text(TextBox::image_bitspersample), " 12");
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).raw(258, 3, 0, 0)), Lines{});
  EXPECT_EQ(number, 0);
}

TEST_P(TagTest, StripLinesWithAndWithoutIndex) {
  const Lines got = entry_lines(TiffBuilder(mm())
                                    .short_value(257, 10)
                                    .raw(273, 4, 1, 500)
                                    .long_value(278, 5)
                                    .long_value(279, 40));
  EXPECT_EQ(got, (Lines{"imagelength  10", "stripoffsets  500", "rowsperstrip  5",
                        "stripsperimage  2", "stripbytecounts 1  40"}));
  const Lines two = entry_lines(TiffBuilder(mm())
                                    .short_value(257, 10)
                                    .longs_at(273, {500, 900})
                                    .long_value(278, 5)
                                    .longs_at(279, {30, 20}));
  EXPECT_EQ(two, (Lines{"imagelength  10", "stripoffsets  1  500", "stripoffsets  2  900",
                        "rowsperstrip  5", "stripsperimage  2", "stripbytecounts  1 30",
                        "stripbytecounts  2 20"}));
  EXPECT_EQ(header.stripoffsetcount, 2);
  EXPECT_EQ(header.stripbytecounts[2], 20);
}

TEST_P(TagTest, ShortStripValuesAboveThirtyTwoThousandAreKept) {
  EXPECT_EQ(entry_lines(TiffBuilder(mm())
                            .short_value(257, 10)
                            .short_value(273, 40000)
                            .short_value(278, 50000)
                            .short_value(279, 65535)),
            (Lines{"imagelength  10", "stripoffsets  40000", "rowsperstrip  50000",
                   "stripsperimage  1", "stripbytecounts 1  65535"}))
      << "no spurious long-assembly error for a SHORT value";
  EXPECT_EQ(header.stripoffsets[1], 40000);
  EXPECT_EQ(header.rowsperstrip, 50000);
  entry_lines(TiffBuilder(mm()).shorts_at(273, {40000, 65535, 1}));
  EXPECT_EQ(header.stripoffsets[1], 40000);
  EXPECT_EQ(header.stripoffsets[2], 65535);
}

TEST_P(TagTest, StripsPerImage) {
  struct Case {
    std::uint16_t length;
    std::uint32_t rows;
    std::int32_t strips;
  };
  const Case cases[] = {{480, 480, 1}, {480, 100, 5},     {481, 480, 2},
                        {0, 1, 0},     {32767, 1, 32767}, {1, 0x7FFFFFFF, 1}};
  for (const auto& c : cases) {
    entry_lines(
        TiffBuilder(mm()).short_value(257, c.length).long_value(278, c.rows).long_value(279, 1));
    EXPECT_EQ(header.stripsperimage, c.strips) << c.length << " " << c.rows;
    EXPECT_EQ(number, 0);
  }
}

// A value field taken as a LONG of 2^31 or more reads as 0, and its line comes before the
// entry's own lines, as the field is assembled when the entry is read. A field that is never
// taken as a LONG gives no such line.
TEST_F(TagTest, ALongTooBigIsReportedFirstAndOnlyWhereTaken) {
  const char* kLong = "[error] problem making long";
  const struct {
    TiffBuilder file;
    Lines lines;
  } cases[] = {
      {TiffBuilder().long_value(278, 0xFFFFFFFFu).long_value(279, 100),
       {kLong, "rowsperstrip  0", kFailure}},
      {TiffBuilder().raw(40000, 4, 1, 0x80000000u),
       {kLong, "Tag not processed  40000", "Tag number  40000", "Field type  4",
        "Number of values  1", "Offset  0"}},
      {TiffBuilder().short_value(257, 10).long_value(278, 5).long_value(279, 0x80000000u),
       {"imagelength  10", "rowsperstrip  5", kLong, "stripsperimage  2", "stripbytecounts 1  0"}},
      // A SHORT whose unused bytes have the top bit set; a list of no values.
      {TiffBuilder().raw(259, 3, 1, 0x80000001u), {"compression  1"}},
      {TiffBuilder().raw(273, 4, 0, 0x80000000u), {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(entry_lines(c.file), c.lines);
  }
}

TEST_P(TagTest, Resolutions) {
  struct Case {
    std::uint32_t num, den;
    const char* line;
  };
  const Case cases[] = {{72, 1, "xresolution  72"},
                        {1, 3, "xresolution  .333333333333333"},
                        {300, 2, "xresolution  150"},
                        {1, 2, "xresolution  .5"}};
  for (const auto& c : cases) {
    EXPECT_EQ(entry_lines(TiffBuilder(mm()).rational(282, c.num, c.den)), Lines{c.line});
    EXPECT_DOUBLE_EQ(header.xresolution, double(c.num) / c.den);
  }
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).rational(283, 72, 1)), Lines{"yresolution  72"});
  EXPECT_EQ(header.yresolution, 72.0);
  // Both halves are unsigned 32-bit numbers.
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).rational(283, 4294967295u, 151551421u)),
            Lines{"yresolution  28.3400001574383"});
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).rational(283, 1, 0x80000000u)),
            Lines{"yresolution  4.65661287307739E-10"});
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).rational(283, 5, 0)), Lines{kFailure});
}

TEST_P(TagTest, SoftwareText) {
  struct Case {
    Bytes bytes;
    std::uint32_t count;
    Lines lines;
    const char* software;
  };
  const std::string notice = "[error] unprintable character replaced in software tag ascii=";
  const Case cases[] = {
      {{0x41, 0x42, 0x09, 0x43, 0x00}, 5, {notice + " 9", "Software AB C"}, "AB C"},
      {{'V', 0, 'x', 'y', 'z'}, 5, {"Software Vxyz"}, "Vxyz"},
      {{'A', 'B', 'C', 'D', 'E', 'F', 0}, 5, {"Software ABCDE"}, "ABCDE"},
      {{0}, 0, {"Software "}, ""},
      {{127, 200, 31, ' ', '~'},
       5,
       {notice + " 127", notice + " 200", notice + " 31", "Software     ~"},
       "    ~"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(entry_lines(TiffBuilder(mm()).ascii(305, c.bytes, c.count)), c.lines);
    EXPECT_EQ(header.software, c.software);
  }
  recorded.shown = false;
  entry_lines(TiffBuilder(mm()).ascii(305, Bytes{9, 'a', 'b', 'c', 'd'}, 5));
  EXPECT_EQ(lines(), Lines{}) << "the notice is part of the dump";
  EXPECT_EQ(header.software, " abcd");
}

// The value field's four bytes as a LONG in the builder's order, so that they stand in the
// file as b0 b1 b2 b3.
std::uint32_t field(bool mm, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  if (mm) return std::uint32_t{b0} << 24 | std::uint32_t{b1} << 16 | std::uint32_t{b2} << 8 | b3;
  return std::uint32_t{b3} << 24 | std::uint32_t{b2} << 16 | std::uint32_t{b1} << 8 | b0;
}

// Two SHORTs in the value field, in the file's order.
std::uint32_t shorts2(bool mm, std::uint16_t a, std::uint16_t b) {
  return mm ? std::uint32_t{a} << 16 | b : std::uint32_t{b} << 16 | a;
}

TEST_P(TagTest, ValuesThatFitStandInTheEntry) {
  EXPECT_EQ(
      entry_lines(TiffBuilder(mm()).raw(305, 2, 4, field(mm(), 'a', 9, 'c', 0))),
      (Lines{"[error] unprintable character replaced in software tag ascii= 9", "Software a c"}));
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).raw(258, 3, 2, shorts2(mm(), 8, 16))),
            (Lines{"bitspersample  1  8", "bitspersample  2  16"}));
  const Lines strips = entry_lines(TiffBuilder(mm())
                                       .short_value(257, 20)
                                       .raw(273, 3, 2, shorts2(mm(), 208, 50000))
                                       .long_value(278, 10)
                                       .raw(279, 3, 2, shorts2(mm(), 160, 40000)));
  EXPECT_EQ(strips, (Lines{"imagelength  20", "stripoffsets  1  208", "stripoffsets  2  50000",
                           "rowsperstrip  10", "stripsperimage  2", "stripbytecounts  1 160",
                           "stripbytecounts  2 40000"}));
  EXPECT_EQ(number, 0);
  EXPECT_TRUE(result.accepted());
  EXPECT_EQ(header.stripoffsetcount, 2);
}

TEST_P(TagTest, DateKeepsTwentyBytesAndShowsUpToTheZero) {
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).ascii(306, "2004:01:02 03:04:05")),
            Lines{"image date 2004:01:02 03:04:05"});
  EXPECT_EQ(header.imagedate, std::string("2004:01:02 03:04:05\0", 20));
  EXPECT_EQ(boxes.text(TextBox::image_date), "2004:01:02 03:04:05");
  // The count does not matter: 20 bytes are taken.
  entry_lines(TiffBuilder(mm()).ascii(306, Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9', '0',
                                                 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'},
                                      4));
  EXPECT_EQ(header.imagedate, "1234567890abcdefghij");
  EXPECT_EQ(boxes.text(TextBox::image_date), "1234567890abcdefghij");
  entry_lines(TiffBuilder(mm()).ascii(306, Bytes{'2', '0', 0, 'x'}, 4).data(Bytes(16, 'y')));
  EXPECT_EQ(header.imagedate, std::string("20\0x", 4) + std::string(16, 'y'));
  EXPECT_EQ(boxes.text(TextBox::image_date), "20");
  // Fewer than 20 bytes left in the file.
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).ascii(306, Bytes{'2', '0', '0', '4'}, 4)),
            Lines{kFailure});
}

// ImageDescription and Software as the file holds them, read only when the parse asks; the
// dump of the description stays that of a tag not processed.
TEST_P(TagTest, TextsAsTheFileHoldsThem) {
  const std::string micro = "unit=\xb5m";  // a Latin-1 micro sign, kept as its byte
  struct Case {
    TiffBuilder file;
    std::optional<std::string> description, software;
  };
  const Case cases[] = {
      {TiffBuilder(mm()).ascii(270, "ImageJ=1.54f\nimages=5\n").ascii(305, micro),
       "ImageJ=1.54f\nimages=5\n", micro},
      {TiffBuilder(mm()).raw(270, 2, 3, field(mm(), 'a', 'b', 0, 0)), "ab", std::nullopt},
      {TiffBuilder(mm()).ascii(305, Bytes{'A', 9, 0, 'B', 'C'}, 5).ascii(270, Bytes{}, 0), "",
       "A\t"},
      // Past the end of the file: what the file has of it.
      {TiffBuilder(mm()).raw(270, 2, 900, 0), mm() ? "MM" : "II*", std::nullopt},
  };
  for (const auto& c : cases) {
    test::TempFile f(c.file.build());
    ImageFile file;
    ASSERT_TRUE(file.open(f.path()));
    ImageHeader parsed;
    HeaderTexts texts;
    HeaderParse parse{parsed, &file, recorded};
    parse.texts = &texts;
    EXPECT_TRUE(parseheader(parse).accepted());
    EXPECT_EQ(texts.description, c.description);
    EXPECT_EQ(texts.software, c.software);
  }
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).raw(270, 2, 4, field(mm(), 'O', 'M', 'E', 0))),
            (Lines{"Tag not processed  270", "Tag number  270", "Field type  2",
                   "Number of values  4", mm() ? "Offset  1330464000" : "Offset  4541775"}));
}

TEST_P(TagTest, PrivateTagIsSilentAndUnknownTagsAreDumped) {
  EXPECT_EQ(entry_lines(TiffBuilder(mm()).raw(40100, 7, 12, 64).short_value(339, 7)),
            (Lines{"Tag not processed  339", "Tag number  339", "Field type  3",
                   "Number of values  1", mm() ? "Offset  458752" : "Offset  7"}));
  EXPECT_EQ(number, 0);
}

}  // namespace
}  // namespace vtr
