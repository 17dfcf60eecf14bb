#include "display/greymap.h"

#include <algorithm>

namespace vtr {

void greyrow(const GreyMap& map, const std::int32_t* cells, int columns, std::uint8_t invert,
             std::uint8_t* out, int count) {
  // Columns 1, 3, 5, ... that lie inside the row: 1 + 2i <= columns.
  const int inside = cells == nullptr ? 0 : std::clamp((columns + 1) / 2, 0, count);
  const std::int32_t* cell = cells == nullptr ? nullptr : cells + 4 * 1 + 1;
  for (int i = 0; i < inside; ++i) {
    out[i] =
        static_cast<std::uint8_t>(map.level(cell[8 * static_cast<std::ptrdiff_t>(i)]) ^ invert);
  }
  const std::uint8_t blank = static_cast<std::uint8_t>(map.level(0) ^ invert);
  std::fill(out + inside, out + count, blank);
}

}  // namespace vtr
