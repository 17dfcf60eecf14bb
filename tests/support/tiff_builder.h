// Assembles TIFF files byte by byte for the tests, in either byte order.
//
// Entries are written in the order they are added (not sorted), so tests can put tags in any
// order. Values that do not stand in the entry go after the IFD, in entry order, and the
// image data goes last. `image()` builds a whole uncompressed image file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtr::test {

using Bytes = std::vector<std::uint8_t>;

enum : std::uint16_t { kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

class TiffBuilder {
 public:
  explicit TiffBuilder(bool mm = false) : mm_(mm) {}

  // An entry whose value field is one SHORT, left-justified (the other two bytes 0).
  TiffBuilder& short_value(std::uint16_t tag, std::uint16_t value, std::uint32_t count = 1);
  // An entry whose value field is one LONG.
  TiffBuilder& long_value(std::uint16_t tag, std::uint32_t value, std::uint32_t count = 1);
  // An entry with every field given; the value field's four bytes as a LONG.
  TiffBuilder& raw(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                   std::uint32_t valueoffset);
  // An entry whose values are stored after the IFD and whose value field is their offset.
  TiffBuilder& shorts_at(std::uint16_t tag, const std::vector<std::uint16_t>& values);
  TiffBuilder& longs_at(std::uint16_t tag, const std::vector<std::uint32_t>& values);
  TiffBuilder& rational(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator);
  TiffBuilder& ascii(std::uint16_t tag, const Bytes& bytes, std::uint32_t count);
  TiffBuilder& ascii(std::uint16_t tag, const std::string& text);  // adds the zero byte
  // StripOffsets pointing into the image data: offsets[i] is added to where the data starts.
  // One offset is written in the entry, more as LONGs (or SHORTs) after the IFD.
  TiffBuilder& strip_offsets(const std::vector<std::uint32_t>& data_offsets, bool as_short = false);
  // Bytes placed after everything else.
  TiffBuilder& data(const Bytes& bytes);
  // The 42 of bytes 2-3 (to build files with other numbers), the next-IFD offset and the
  // header's IFD offset (0 = right after the header).
  TiffBuilder& magic(std::uint16_t value);
  TiffBuilder& next_ifd(std::uint32_t offset);
  TiffBuilder& ifd_offset(std::uint32_t offset);
  // Replaces the byte-order mark.
  TiffBuilder& mark(char a, char b);

  Bytes build() const;
  // Where the image data starts in the built file.
  std::uint32_t data_start() const;

  // Byte-order helpers for the builder's order.
  void put16(Bytes& out, std::uint16_t v) const;
  void put32(Bytes& out, std::uint32_t v) const;

 private:
  struct Entry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::uint32_t value;  // the value field when `out_of_line` is empty
    bool short_in_entry;  // value field holds one SHORT, left-justified
    Bytes out_of_line;    // stored after the IFD; the value field is its offset
    bool strip_offsets;   // out-of-line (or in-entry) values get data_start() added
    std::vector<std::uint32_t> offsets;
    bool offsets_short;
  };
  Bytes encode_offsets(const Entry& e, std::uint32_t base) const;

  bool mm_;
  char mark_a_ = 0;
  char mark_b_ = 0;
  std::uint16_t magic_ = 42;
  std::uint32_t next_ifd_ = 0;
  std::uint32_t ifd_offset_ = 0;
  std::vector<Entry> entries_;
  Bytes data_;
};

// What an image file of one of the supported kinds holds.
struct StripImage {
  bool mm = false;
  int width = 1;
  int length = 1;
  int bits = 8;          // 8, 12 or 16
  int photometric = 1;   // 1 grey, 2 RGB (8 bits, three samples)
  int rowsperstrip = 0;  // 0: one strip for the whole image
  Bytes pixels;          // the packed rows as the file holds them, strip after strip
};

// A whole image file: tags 256, 257, 258, 259, 262, 273, 277, 278, 279 in ascending order.
Bytes image(const StripImage& shape);
// The bytes of image(shape) before its pixels (shape.pixels is not read): a large image's
// rows can follow it straight into a file.
Bytes image_head(const StripImage& shape);
// An 8-bit grey image 4 pixels wide and `strips` rows long, one row a strip, whose offsets
// all point into the first strip: a header whose dump lists every strip.
Bytes one_row_strips(std::uint32_t strips);
// Bytes of one file row for width w at the given depth (RGB: 3 per pixel).
int row_bytes(int width, int bits, int photometric);
// Packs 16-bit samples in the given byte order, 12-bit samples as a bit stream per row.
Bytes pack16(const std::vector<std::uint16_t>& samples, bool mm);
Bytes pack12(const std::vector<std::uint16_t>& samples, int width);

// A file in the test's temporary folder, removed when the object goes.
class TempFile {
 public:
  explicit TempFile(const Bytes& bytes, const std::string& suffix = ".tif");
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace vtr::test
