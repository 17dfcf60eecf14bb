#include "bench/bench_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace vtr::bench {

namespace {

constexpr int kRowsPerStrip = 16;
constexpr std::uint32_t kDataStart = 16384;  // after the header, IFD and strip tables

// Scrambled but repeatable bits for pixel (x, y), spread over every value of the kind.
std::uint32_t mix(std::uint32_t x, std::uint32_t y) {
  std::uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 13;
  return h;
}

class Writer {
 public:
  explicit Writer(bool mm) : mm_(mm) {}
  void u8(std::uint8_t v) { out.push_back(v); }
  void u16(std::uint16_t v) {
    if (mm_) {
      u8(static_cast<std::uint8_t>(v >> 8));
      u8(static_cast<std::uint8_t>(v));
    } else {
      u8(static_cast<std::uint8_t>(v));
      u8(static_cast<std::uint8_t>(v >> 8));
    }
  }
  void u32(std::uint32_t v) {
    if (mm_) {
      u16(static_cast<std::uint16_t>(v >> 16));
      u16(static_cast<std::uint16_t>(v));
    } else {
      u16(static_cast<std::uint16_t>(v));
      u16(static_cast<std::uint16_t>(v >> 16));
    }
  }
  // A SHORT entry with one value, left-justified in the value field.
  void shortentry(std::uint16_t tag, std::uint16_t value) {
    u16(tag);
    u16(3);
    u32(1);
    u16(value);
    u16(0);
  }
  void entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
    u16(tag);
    u16(type);
    u32(count);
    u32(value);
  }
  std::vector<std::uint8_t> out;

 private:
  bool mm_;
};

std::vector<std::uint8_t> headerbytes(Kind kind, int side) {
  const bool mm = mmofkind(kind);
  const bool rgb = rgbofkind(kind);
  const auto strips = static_cast<std::uint32_t>((side + kRowsPerStrip - 1) / kRowsPerStrip);
  const auto stripbytes = static_cast<std::uint32_t>(rowbytes(kind, side) * kRowsPerStrip);
  const std::uint16_t entries = 10;
  const std::uint32_t bitsat = 8 + 2 + 12u * entries + 4;
  const std::uint32_t offsetsat = bitsat + 8;
  const std::uint32_t countsat = offsetsat + 4 * strips;
  if (countsat + 4 * strips > kDataStart) throw std::runtime_error("strip tables too long");

  Writer w(mm);
  w.u8(mm ? 'M' : 'I');
  w.u8(mm ? 'M' : 'I');
  w.u16(42);
  w.u32(8);
  w.u16(entries);
  w.shortentry(256, static_cast<std::uint16_t>(side));
  w.shortentry(257, static_cast<std::uint16_t>(side));
  if (rgb) {
    w.entry(258, 3, 3, bitsat);
  } else {
    w.shortentry(258, static_cast<std::uint16_t>(bitsofkind(kind)));
  }
  w.shortentry(259, 1);
  w.shortentry(262, rgb ? 2 : 1);
  w.entry(273, 4, strips, offsetsat);
  w.shortentry(277, rgb ? 3 : 1);
  w.shortentry(278, kRowsPerStrip);
  w.entry(279, 4, strips, countsat);
  w.shortentry(284, 1);
  w.u32(0);
  while (w.out.size() < bitsat) w.u8(0);
  for (int i = 0; i < 3; ++i) w.u16(8);
  while (w.out.size() < offsetsat) w.u8(0);
  for (std::uint32_t s = 0; s < strips; ++s) w.u32(kDataStart + s * stripbytes);
  for (std::uint32_t s = 0; s < strips; ++s) {
    const std::uint32_t rows = std::min<std::uint32_t>(kRowsPerStrip, side - s * kRowsPerStrip);
    w.u32(rows * static_cast<std::uint32_t>(rowbytes(kind, side)));
  }
  w.out.resize(kDataStart, 0);
  return w.out;
}

// A 16-bit value for pixel (x, y): a smooth slope across the image, as a scientific image has
// large areas of like values, with a little noise (about two histogram bins either way). Runs
// of pixels in one bin are what a histogram count finds hardest.
std::uint32_t sample16(std::uint32_t x, std::uint32_t y, std::uint32_t side, std::uint32_t salt) {
  const std::int64_t slope = (static_cast<std::int64_t>(x) + 2 * y) * 65535 / (3 * side);
  const std::int64_t noise = static_cast<std::int64_t>(mix(x, y + salt) & 0x3FF) - 512;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(slope + noise, 0, 65535));
}

void fillrow(Kind kind, int side, int y, std::vector<std::uint8_t>& row) {
  row.assign(static_cast<std::size_t>(rowbytes(kind, side)), 0);
  const auto uy = static_cast<std::uint32_t>(y);
  const auto us = static_cast<std::uint32_t>(side);
  for (int x = 0; x < side; ++x) {
    const auto ux = static_cast<std::uint32_t>(x);
    const std::uint32_t h = sample16(ux, uy, us, 0);
    const auto i = static_cast<std::size_t>(x);
    switch (kind) {
      case Kind::grey8:
        row[i] = static_cast<std::uint8_t>(h >> 8);
        break;
      case Kind::grey12: {
        const std::uint32_t v = h >> 4;
        std::uint8_t* pair = row.data() + 3 * (i / 2);
        if (x % 2 == 0) {
          pair[0] = static_cast<std::uint8_t>(v >> 4);
          pair[1] = static_cast<std::uint8_t>((v & 0xF) << 4);
        } else {
          pair[1] = static_cast<std::uint8_t>(pair[1] | (v >> 8));
          pair[2] = static_cast<std::uint8_t>(v);
        }
        break;
      }
      case Kind::grey16ii:
      case Kind::grey16mm: {
        const auto hi = static_cast<std::uint8_t>(h >> 8);
        const auto lo = static_cast<std::uint8_t>(h);
        row[2 * i] = kind == Kind::grey16mm ? hi : lo;
        row[2 * i + 1] = kind == Kind::grey16mm ? lo : hi;
        break;
      }
      case Kind::rgb8:
        row[3 * i] = static_cast<std::uint8_t>(h >> 8);
        row[3 * i + 1] = static_cast<std::uint8_t>(sample16(ux, uy, us, 1) >> 8);
        row[3 * i + 2] = static_cast<std::uint8_t>(sample16(ux, uy, us, 2) >> 8);
        break;
    }
  }
}

std::uint64_t filesize(Kind kind, int side) {
  return kDataStart + static_cast<std::uint64_t>(rowbytes(kind, side)) * side;
}

void writefile(Kind kind, int side, const std::string& path) {
  const std::string part = path + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    const std::vector<std::uint8_t> head = headerbytes(kind, side);
    out.write(reinterpret_cast<const char*>(head.data()),
              static_cast<std::streamsize>(head.size()));
    std::vector<std::uint8_t> row;
    for (int y = 0; y < side; ++y) {
      fillrow(kind, side, y, row);
      out.write(reinterpret_cast<const char*>(row.data()),
                static_cast<std::streamsize>(row.size()));
    }
    if (!out) throw std::runtime_error("cannot write " + part);
  }
  std::filesystem::rename(part, path);
}

}  // namespace

std::string_view kindname(Kind kind) {
  switch (kind) {
    case Kind::grey8:
      return "grey8";
    case Kind::grey12:
      return "grey12";
    case Kind::grey16ii:
      return "grey16ii";
    case Kind::grey16mm:
      return "grey16mm";
    case Kind::rgb8:
      return "rgb8";
  }
  return "?";
}

int bitsofkind(Kind kind) {
  switch (kind) {
    case Kind::grey12:
      return 12;
    case Kind::grey16ii:
    case Kind::grey16mm:
      return 16;
    default:
      return 8;
  }
}

bool mmofkind(Kind kind) {
  return kind == Kind::grey16mm;
}
bool rgbofkind(Kind kind) {
  return kind == Kind::rgb8;
}

StoreKind storekindof(Kind kind) {
  if (kind == Kind::rgb8) return StoreKind::rgb8;
  return kind == Kind::grey8 ? StoreKind::grey8 : StoreKind::grey16;
}

std::int64_t rowbytes(Kind kind, int side) {
  switch (kind) {
    case Kind::grey8:
      return side;
    case Kind::grey12:
      return side + (side + 1) / 2;
    case Kind::grey16ii:
    case Kind::grey16mm:
      return 2 * static_cast<std::int64_t>(side);
    case Kind::rgb8:
      return 3 * static_cast<std::int64_t>(side);
  }
  return 0;
}

std::string benchfolder() {
  if (const char* dir = std::getenv("VTR_BENCH_DIR"); dir != nullptr && *dir != '\0') return dir;
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vtr-bench-files";
}

std::string benchfile(Kind kind, int side) {
  const std::string folder = benchfolder();
  std::filesystem::create_directories(folder);
  const std::string path =
      folder + "/" + std::string(kindname(kind)) + "_" + std::to_string(side) + ".tif";
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) != filesize(kind, side) || ec) {
    std::fprintf(stderr, "writing %s\n", path.c_str());
    writefile(kind, side, path);
  }
  return path;
}

}  // namespace vtr::bench
