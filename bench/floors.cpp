#include "bench/floors.h"

#include <cstring>

namespace vtr::bench {

void memoryfloor(PixelStore& store, std::int32_t width, std::int32_t length, StoreKind kind) {
  store.recreate(width, length, kind);
  const auto rowbytes =
      static_cast<std::size_t>(width) * static_cast<std::size_t>(valuebytes(kind));
  for (std::int64_t y = 1; y <= length; ++y) {
    // Every value of the row written, as a decoder writes its row.
    std::memset(store.rowbytes(y), static_cast<int>(y & 0x7F) | 1, rowbytes);
  }
}

void paintfloor(const PixelStore& store, std::vector<std::uint8_t>& out) {
  const std::int64_t columns = (store.width() + 1) / 2;
  const std::int64_t rows = store.length() / 2;
  out.resize(static_cast<std::size_t>(columns * rows));
  std::uint8_t* o = out.data();
  const bool wide = valuebytes(store.kind()) == 2;
  for (std::int64_t r = 1; r <= rows; ++r) {
    if (wide) {
      const std::uint16_t* row = store.row<std::uint16_t>(2 * r - 1);
      for (std::int64_t c = 0; c < columns; ++c) *o++ = static_cast<std::uint8_t>(row[2 * c] >> 8);
    } else {
      const std::uint8_t* row = store.row<std::uint8_t>(2 * r - 1);
      for (std::int64_t c = 0; c < columns; ++c) *o++ = row[2 * c];
    }
  }
}

}  // namespace vtr::bench
