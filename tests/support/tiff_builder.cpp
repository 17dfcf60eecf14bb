#include "tests/support/tiff_builder.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace vtr::test {

void TiffBuilder::put16(Bytes& out, std::uint16_t v) const {
  if (mm_) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
  } else {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  }
}

void TiffBuilder::put32(Bytes& out, std::uint32_t v) const {
  if (mm_) {
    put16(out, static_cast<std::uint16_t>(v >> 16));
    put16(out, static_cast<std::uint16_t>(v));
  } else {
    put16(out, static_cast<std::uint16_t>(v));
    put16(out, static_cast<std::uint16_t>(v >> 16));
  }
}

TiffBuilder& TiffBuilder::short_value(std::uint16_t tag, std::uint16_t value, std::uint32_t count) {
  entries_.push_back(Entry{tag, kShort, count, value, true, {}, false, {}, false});
  return *this;
}

TiffBuilder& TiffBuilder::long_value(std::uint16_t tag, std::uint32_t value, std::uint32_t count) {
  entries_.push_back(Entry{tag, kLong, count, value, false, {}, false, {}, false});
  return *this;
}

TiffBuilder& TiffBuilder::raw(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                              std::uint32_t valueoffset) {
  entries_.push_back(Entry{tag, type, count, valueoffset, false, {}, false, {}, false});
  return *this;
}

TiffBuilder& TiffBuilder::shorts_at(std::uint16_t tag, const std::vector<std::uint16_t>& values) {
  Bytes b;
  for (auto v : values) put16(b, v);
  entries_.push_back(
      Entry{tag, kShort, static_cast<std::uint32_t>(values.size()), 0, false, b, false, {}, false});
  return *this;
}

TiffBuilder& TiffBuilder::longs_at(std::uint16_t tag, const std::vector<std::uint32_t>& values) {
  Bytes b;
  for (auto v : values) put32(b, v);
  entries_.push_back(
      Entry{tag, kLong, static_cast<std::uint32_t>(values.size()), 0, false, b, false, {}, false});
  return *this;
}

TiffBuilder& TiffBuilder::rational(std::uint16_t tag, std::uint32_t numerator,
                                   std::uint32_t denominator) {
  Bytes b;
  put32(b, numerator);
  put32(b, denominator);
  entries_.push_back(Entry{tag, kRational, 1, 0, false, b, false, {}, false});
  return *this;
}

TiffBuilder& TiffBuilder::ascii(std::uint16_t tag, const Bytes& bytes, std::uint32_t count) {
  Bytes b = bytes;
  if (b.empty()) b.push_back(0);  // keep an offset that points into the file
  entries_.push_back(Entry{tag, kAscii, count, 0, false, b, false, {}, false});
  return *this;
}

TiffBuilder& TiffBuilder::ascii(std::uint16_t tag, const std::string& text) {
  Bytes b(text.begin(), text.end());
  b.push_back(0);
  return ascii(tag, b, static_cast<std::uint32_t>(b.size()));
}

TiffBuilder& TiffBuilder::strip_offsets(const std::vector<std::uint32_t>& data_offsets,
                                        bool as_short) {
  Entry e{273,
          as_short ? kShort : kLong,
          static_cast<std::uint32_t>(data_offsets.size()),
          0,
          data_offsets.size() == 1 && as_short,
          {},
          true,
          data_offsets,
          as_short};
  if (data_offsets.size() > 1) {
    e.out_of_line.assign(data_offsets.size() * (as_short ? 2 : 4), 0);  // filled at build
  }
  entries_.push_back(e);
  return *this;
}

TiffBuilder& TiffBuilder::data(const Bytes& bytes) {
  data_.insert(data_.end(), bytes.begin(), bytes.end());
  return *this;
}

TiffBuilder& TiffBuilder::magic(std::uint16_t value) {
  magic_ = value;
  return *this;
}

TiffBuilder& TiffBuilder::next_ifd(std::uint32_t offset) {
  next_ifd_ = offset;
  return *this;
}

TiffBuilder& TiffBuilder::ifd_offset(std::uint32_t offset) {
  ifd_offset_ = offset;
  return *this;
}

TiffBuilder& TiffBuilder::mark(char a, char b) {
  mark_a_ = a;
  mark_b_ = b;
  return *this;
}

std::uint32_t TiffBuilder::data_start() const {
  std::uint32_t at = 8 + 2 + 12 * static_cast<std::uint32_t>(entries_.size()) + 4;
  for (const auto& e : entries_) at += static_cast<std::uint32_t>(e.out_of_line.size());
  return at;
}

Bytes TiffBuilder::encode_offsets(const Entry& e, std::uint32_t base) const {
  Bytes b;
  for (auto o : e.offsets) {
    if (e.offsets_short) {
      put16(b, static_cast<std::uint16_t>(base + o));
    } else {
      put32(b, base + o);
    }
  }
  return b;
}

Bytes TiffBuilder::build() const {
  const std::uint32_t base = data_start();
  Bytes out;
  out.push_back(static_cast<std::uint8_t>(mark_a_ ? mark_a_ : (mm_ ? 'M' : 'I')));
  out.push_back(static_cast<std::uint8_t>(mark_b_ ? mark_b_ : (mm_ ? 'M' : 'I')));
  put16(out, magic_);
  put32(out, ifd_offset_ ? ifd_offset_ : 8);
  put16(out, static_cast<std::uint16_t>(entries_.size()));
  std::uint32_t extra = 8 + 2 + 12 * static_cast<std::uint32_t>(entries_.size()) + 4;
  Bytes tail;
  for (const auto& e : entries_) {
    put16(out, e.tag);
    put16(out, e.type);
    put32(out, e.count);
    Bytes ool = e.out_of_line;
    if (e.strip_offsets && !ool.empty()) ool = encode_offsets(e, base);
    if (!ool.empty()) {
      put32(out, extra);
      extra += static_cast<std::uint32_t>(ool.size());
      tail.insert(tail.end(), ool.begin(), ool.end());
    } else if (e.strip_offsets) {
      std::uint32_t v = e.offsets.empty() ? 0 : base + e.offsets[0];
      if (e.short_in_entry) {
        put16(out, static_cast<std::uint16_t>(v));
        put16(out, 0);
      } else {
        put32(out, v);
      }
    } else if (e.short_in_entry) {
      put16(out, static_cast<std::uint16_t>(e.value));
      put16(out, 0);
    } else {
      put32(out, e.value);
    }
  }
  put32(out, next_ifd_);
  out.insert(out.end(), tail.begin(), tail.end());
  out.insert(out.end(), data_.begin(), data_.end());
  return out;
}

int row_bytes(int width, int bits, int photometric) {
  if (photometric == 2) return 3 * width;
  if (bits == 12) return width + (width + 1) / 2;
  return width * bits / 8;
}

Bytes image(const StripImage& shape) {
  Bytes out = image_head(shape);
  out.insert(out.end(), shape.pixels.begin(), shape.pixels.end());
  return out;
}

Bytes image_head(const StripImage& shape) {
  TiffBuilder b(shape.mm);
  const int rps = shape.rowsperstrip > 0 ? shape.rowsperstrip : std::max(shape.length, 1);
  const int strips = shape.length == 0 ? 1 : (shape.length + rps - 1) / rps;
  const int rb = row_bytes(shape.width, shape.bits, shape.photometric);
  std::vector<std::uint32_t> offsets;
  std::vector<std::uint32_t> counts;
  for (int s = 0; s < strips; ++s) {
    int rows = std::min(rps, shape.length - s * rps);
    offsets.push_back(static_cast<std::uint32_t>(s * rps * rb));
    counts.push_back(static_cast<std::uint32_t>(std::max(rows, 0) * rb));
  }
  b.short_value(256, static_cast<std::uint16_t>(shape.width));
  b.short_value(257, static_cast<std::uint16_t>(shape.length));
  if (shape.photometric == 2) {
    b.shorts_at(258, {8, 8, 8});
  } else {
    b.short_value(258, static_cast<std::uint16_t>(shape.bits));
  }
  b.short_value(259, 1);
  b.short_value(262, static_cast<std::uint16_t>(shape.photometric));
  b.strip_offsets(offsets);
  b.short_value(277, shape.photometric == 2 ? 3 : 1);
  b.long_value(278, static_cast<std::uint32_t>(rps));
  if (counts.size() == 1) {
    b.long_value(279, counts[0]);
  } else {
    b.longs_at(279, counts);
  }
  return b.build();
}

Bytes pack16(const std::vector<std::uint16_t>& samples, bool mm) {
  Bytes out;
  for (auto v : samples) {
    auto hi = static_cast<std::uint8_t>(v >> 8);
    auto lo = static_cast<std::uint8_t>(v);
    out.push_back(mm ? hi : lo);
    out.push_back(mm ? lo : hi);
  }
  return out;
}

Bytes pack12(const std::vector<std::uint16_t>& samples, int width) {
  Bytes out;
  for (std::size_t row = 0; row * width < samples.size(); ++row) {
    for (int x = 0; x < width; x += 2) {
      std::uint16_t a = samples[row * width + x];
      bool has_b = x + 1 < width;
      std::uint16_t b = has_b ? samples[row * width + x + 1] : 0;
      out.push_back(static_cast<std::uint8_t>(a >> 4));
      out.push_back(static_cast<std::uint8_t>(((a & 0xF) << 4) | (has_b ? (b >> 8) : 0)));
      if (has_b) out.push_back(static_cast<std::uint8_t>(b));
    }
  }
  return out;
}

TempFile::TempFile(const Bytes& bytes, const std::string& suffix) {
  static std::atomic<int> counter{0};
  const char* dir = std::getenv("TMPDIR");
  path_ = std::string(dir && *dir ? dir : "/tmp") + "/vtr_test_" + std::to_string(::getpid()) +
          "_" + std::to_string(counter++) + suffix;
  std::ofstream f(path_, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path_);
}

TempFile::~TempFile() {
  std::remove(path_.c_str());
}

Bytes one_row_strips(std::uint32_t strips) {
  std::vector<std::uint32_t> offsets(strips);
  for (std::uint32_t i = 0; i < strips; ++i) offsets[i] = i * 4;
  TiffBuilder b;
  b.short_value(256, 4)
      .short_value(257, static_cast<std::uint16_t>(strips))
      .short_value(258, 8)
      .short_value(259, 1)
      .short_value(262, 1)
      .strip_offsets(offsets)
      .short_value(277, 1)
      .short_value(278, 1)
      .longs_at(279, std::vector<std::uint32_t>(strips, 4))
      .data(Bytes(static_cast<std::size_t>(strips) * 4, 7));
  return b.build();
}

}  // namespace vtr::test
