#include "display/greymap.h"

#include <algorithm>

namespace vtr {

GreyTable::GreyTable(const GreyMap& map, std::int32_t top)
    : map_(map), levels_(static_cast<std::size_t>(std::max(top, -1) + 1)) {
  for (std::size_t v = 0; v < levels_.size(); ++v) {
    levels_[v] = map.level(static_cast<std::int32_t>(v));
  }
}

void greyrow(const GreyTable& table, const std::int32_t* cells, int columns, std::uint8_t invert,
             std::uint8_t* out, int count) {
  // Columns 1, 3, 5, ... that lie inside the row: 1 + 2i <= columns.
  const int inside = cells == nullptr ? 0 : std::clamp((columns + 1) / 2, 0, count);
  const std::int32_t* cell = cells == nullptr ? nullptr : cells + 4 * 1 + 1;
  for (int i = 0; i < inside; ++i) {
    out[i] =
        static_cast<std::uint8_t>(table.level(cell[8 * static_cast<std::ptrdiff_t>(i)]) ^ invert);
  }
  const std::uint8_t blank = static_cast<std::uint8_t>(table.level(0) ^ invert);
  std::fill(out + inside, out + count, blank);
}

}  // namespace vtr
