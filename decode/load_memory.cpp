#include "decode/load_memory.h"

#include <algorithm>

#include "core/pixel_kinds.h"

namespace vtr {

namespace {

// Bytes of `rows` rows of `row` bytes each, each padded to a multiple of 4.
std::uint64_t padded_rows(std::uint64_t row, int rows) {
  return (row + 3) / 4 * 4 * static_cast<std::uint64_t>(std::max(rows, 0));
}

std::uint64_t columns(int width) {
  return static_cast<std::uint64_t>(std::max(width, 0));
}

}  // namespace

int picture_side(std::int32_t n) {
  return std::max(n, 0) / 2;
}

std::uint64_t picture_bytes(int width, int height) {
  return padded_rows(columns(width), height);
}

std::uint64_t copy_bytes(int width, int height) {
  return padded_rows(3 * columns(width), height);
}

std::uint64_t print_bytes(int width, int height) {
  return padded_rows(4 * columns(width), height) + 2 * padded_rows(3 * columns(width), height);
}

std::uint64_t rowbuffer_bytes(std::int32_t width, int workers) {
  std::int64_t widest = 0;
  for (const PixelKind& kind : pixel_kinds()) widest = std::max(widest, kind.row_bytes(width));
  return static_cast<std::uint64_t>(widest) * static_cast<std::uint64_t>(std::max(workers, 1)) + 1;
}

std::uint64_t load_bytes(std::int32_t width, std::int32_t length, StoreKind kind, int workers) {
  const int w = picture_side(width);
  const int h = picture_side(length);
  return PixelStore::bytes_for(width, length, kind) + picture_bytes(w, h) +
         rowbuffer_bytes(width, workers) + copy_bytes(w, h) + kLoadReserve;
}

}  // namespace vtr
