// Byte-order marks, value assembly and reads by file offset.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/header_fixture.h"
#include "tests/support/tiff_builder.h"
#include "tiff/byteorder.h"
#include "tiff/header_parse.h"

namespace vtr {
namespace {

using test::Lines;

const char kLongError[] = "[error] problem making long";

class ByteOrderTest : public test::ParseTest {
 protected:
  void set_mm(bool mm) { header.mmorder = mm ? kTrue : kFalse; }
  // A parse over the fixture's header record and lines, reading `file` (nullptr: none open).
  HeaderParse parse_of(const ImageFile* file) { return {header, file, recorded}; }
  HeaderParse no_file = parse_of(nullptr);
};

TEST_F(ByteOrderTest, MarksSetTheOrderOrAreRefused) {
  struct Case {
    std::uint8_t a, b;
    std::int16_t result;
    const char* line;
    std::int16_t mm_from_ii, mm_from_mm;  // mmorder after, starting from II / from MM
  };
  const char* unknown = "[error] unknown byte order mode - cannot read file";
  const Case cases[] = {
      {'I', 'I', 0, "II mode least to most byte order", kFalse, kFalse},
      {'M', 'M', 0, "MM mode most to least byte order", kTrue, kTrue},
      {'i', 'i', 1, unknown, kFalse, kTrue},
      {'m', 'm', 1, unknown, kFalse, kTrue},
      {'I', 'M', 1, unknown, kFalse, kTrue},
      {'M', 'I', 1, unknown, kFalse, kTrue},
      {0, 0, 1, unknown, kFalse, kTrue},
  };
  for (const auto& c : cases) {
    for (bool from_mm : {false, true}) {
      set_mm(from_mm);
      recorded.lines.clear();
      EXPECT_EQ(getbyteorder(no_file, c.a, c.b), c.result) << c.a << c.b;
      EXPECT_EQ(lines(), Lines{c.line}) << c.a << c.b;
      EXPECT_EQ(header.mmorder, from_mm ? c.mm_from_mm : c.mm_from_ii) << c.a << c.b;
    }
  }
}

TEST_F(ByteOrderTest, UnknownMarkIsReportedEvenWithTheDumpOff) {
  recorded.shown = false;
  EXPECT_EQ(getbyteorder(no_file, 'I', 'I'), 0);
  EXPECT_EQ(lines(), Lines{});
  EXPECT_EQ(getbyteorder(no_file, 'X', 'Y'), 1);
  EXPECT_EQ(lines(), Lines{"[error] unknown byte order mode - cannot read file"});
}

TEST_F(ByteOrderTest, ShortsAreAssembledPositive) {
  struct Case {
    bool mm;
    std::uint8_t b1, b2;
    std::int32_t value;
  };
  const Case cases[] = {
      {false, 0x2A, 0x00, 42},    {true, 0x2A, 0x00, 10752}, {true, 0x00, 0x2A, 42},
      {false, 0xFF, 0xFF, 65535}, {true, 0xFF, 0xFF, 65535}, {false, 0x00, 0x80, 32768},
      {true, 0x80, 0x00, 32768},
  };
  for (const auto& c : cases) {
    set_mm(c.mm);
    EXPECT_EQ(makeshort(no_file, c.b1, c.b2), c.value)
        << c.mm << " " << int{c.b1} << " " << int{c.b2};
  }
}

TEST_F(ByteOrderTest, LongsAboveThirtyOneBitsGiveZeroAndOneLine) {
  struct Case {
    bool mm;
    std::uint8_t b[4];
    std::int32_t value;
    bool message;
  };
  const Case cases[] = {
      {false, {0x08, 0, 0, 0}, 8, false},
      {true, {0x08, 0, 0, 0}, 134217728, false},
      {false, {0xFF, 0xFF, 0xFF, 0xFF}, 0, true},
      {true, {0xFF, 0xFF, 0xFF, 0xFF}, 0, true},
      {false, {0, 0, 0, 0x80}, 0, true},
      {true, {0, 0, 0, 0x80}, 128, false},
      {true, {0x7F, 0xFF, 0xFF, 0xFF}, 2147483647, false},
      {false, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647, false},
      {true, {0x80, 0, 0, 0}, 0, true},
      {false, {0x01, 0x02, 0x03, 0x04}, 0x04030201, false},
      {true, {0x01, 0x02, 0x03, 0x04}, 0x01020304, false},
  };
  for (const auto& c : cases) {
    set_mm(c.mm);
    recorded.shown = false;
    recorded.lines.clear();
    EXPECT_EQ(makelong(no_file, c.b[0], c.b[1], c.b[2], c.b[3]), c.value) << c.value;
    EXPECT_EQ(lines(), c.message ? Lines{kLongError} : Lines{}) << c.value;
  }
}

TEST_F(ByteOrderTest, FileReadsUseTheOffsetAndFailOutsideTheFile) {
  const test::Bytes bytes = {0x2A, 0x00, 0x08, 0x00, 0x00, 0x00, 0xFF};
  const test::TempFile file(bytes);
  ImageFile image;
  ASSERT_TRUE(image.open(file.path()));
  HeaderParse in_file = parse_of(&image);
  struct Case {
    bool mm;
    bool is_long;
    std::int64_t jp;
    bool ok;
    std::int32_t value;
  };
  const Case cases[] = {
      {false, false, 0, true, 42},
      {true, false, 0, true, 10752},
      {false, true, 2, true, 8},
      {true, true, 2, true, 134217728},
      {false, false, 5, true, 65280},
      {false, false, 6, false, -7},  // one byte short of the end
      {false, true, 4, false, -7},
      {false, false, 7, false, -7},
      {false, false, -1, false, -7},
      {false, true, 0x80000000LL, false, -7},
      {false, true, 0x7FFFFFFE, false, -7},
  };
  for (const auto& c : cases) {
    set_mm(c.mm);
    std::int32_t v = -7;
    const bool ok = c.is_long ? getlong(in_file, c.jp, v) : getshort(in_file, c.jp, v);
    EXPECT_EQ(ok, c.ok) << c.jp;
    EXPECT_EQ(v, c.value) << c.jp;
  }
  std::int32_t v = 0;
  EXPECT_FALSE(getshort(no_file, 0, v)) << "file not open";
}

TEST_F(ByteOrderTest, ReadsAreNotCached) {
  const test::TempFile file({1, 2, 3, 4});
  ImageFile image;
  ASSERT_TRUE(image.open(file.path()));
  const auto before = image.read_calls();
  std::int32_t v = 0;
  HeaderParse in_file = parse_of(&image);
  ASSERT_TRUE(getlong(in_file, 0, v));
  ASSERT_TRUE(getlong(in_file, 0, v));
  EXPECT_EQ(image.read_calls() - before, 2u);
}

}  // namespace
}  // namespace vtr
