#include "bench/bench_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "tests/support/tiff_builder.h"

namespace vtr::bench {

namespace {

constexpr int kRowsPerStrip = 16;

// Scrambled but repeatable bits for pixel (x, y), spread over every value of the kind.
std::uint32_t mix(std::uint32_t x, std::uint32_t y) {
  std::uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 13;
  return h;
}

// The file's shape; its pixels are written row by row after image_head().
test::StripImage layoutof(Kind kind, int side) {
  test::StripImage layout;
  layout.mm = kind == Kind::grey16mm;
  layout.width = side;
  layout.length = side;
  layout.bits =
      kind == Kind::grey12 ? 12 : (kind == Kind::grey16ii || kind == Kind::grey16mm ? 16 : 8);
  layout.photometric = kind == Kind::rgb8 ? 2 : 1;
  layout.rowsperstrip = kRowsPerStrip;
  return layout;
}

std::size_t rowbytes(Kind kind, int side) {
  const test::StripImage layout = layoutof(kind, side);
  return static_cast<std::size_t>(test::row_bytes(layout.width, layout.bits, layout.photometric));
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
  row.assign(rowbytes(kind, side), 0);
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

std::uint64_t filesize(const test::Bytes& head, Kind kind, int side) {
  return head.size() + static_cast<std::uint64_t>(rowbytes(kind, side)) * side;
}

void writefile(const test::Bytes& head, Kind kind, int side, const std::string& path) {
  const std::string part = path + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
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

std::string benchfolder() {
  if (const char* dir = std::getenv("VTR_BENCH_DIR"); dir != nullptr && *dir != '\0') return dir;
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vtr-bench-files";
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

StoreKind storekindof(Kind kind) {
  if (kind == Kind::rgb8) return StoreKind::rgb8;
  return kind == Kind::grey8 ? StoreKind::grey8 : StoreKind::grey16;
}

std::string benchfile(Kind kind, int side) {
  const std::string folder = benchfolder();
  std::filesystem::create_directories(folder);
  const std::string path =
      folder + "/" + std::string(kindname(kind)) + "_" + std::to_string(side) + ".tif";
  const test::Bytes head = test::image_head(layoutof(kind, side));
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) != filesize(head, kind, side) || ec) {
    std::fprintf(stderr, "writing %s\n", path.c_str());
    writefile(head, kind, side, path);
  }
  return path;
}

}  // namespace vtr::bench
