// The mapping of stored values to the grey levels of the picture.
//
// g = trunc((v - offset) * scale) held to 0..255, then 255 - g when inverted, with
// scale = (255 / max) / divisor and offset = min * divisor, both in double precision.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vtr {

struct GreyMap {
  double scale = 1.0;
  double offset = 0.0;

  // The window for slider positions min and max and depth divisor d. A maximum of 0 would
  // divide by zero; it is taken as 1, the narrowest window the sliders can give.
  static GreyMap make(int min, int max, int d) {
    const int top = max == 0 ? 1 : max;
    return GreyMap{(255.0 / top) / d, static_cast<double>(min) * d};
  }

  // The grey level of stored value v, not inverted.
  std::uint8_t level(std::int32_t v) const {
    // Held in double first: the product can lie far outside the range of int.
    const double t = std::clamp((static_cast<double>(v) - offset) * scale, 0.0, 255.0);
    return static_cast<std::uint8_t>(static_cast<int>(t));
  }
};

// The levels of the stored values 0..top, worked out once per paint with GreyMap::level so
// that each drawn pixel costs one look-up. A value outside 0..top (a store holding values
// beyond its depth's range) still gets GreyMap::level: the levels are the same either way.
class GreyTable {
 public:
  GreyTable(const GreyMap& map, std::int32_t top);
  std::uint8_t level(std::int32_t v) const {
    const auto i = static_cast<std::uint32_t>(v);
    return i < levels_.size() ? levels_[i] : map_.level(v);
  }

 private:
  GreyMap map_;
  std::vector<std::uint8_t> levels_;
};

// Grey levels of every second value in a stored row: out[i] is the level of column 1 + 2i,
// for i < count. `values` points at the row's column 1 and holds `columns` values (columns
// 1..columns); later columns, and every column of a missing row (nullptr), read as 0.
// `invert` is 0 or 255 and is XORed into each level (255 - g for g in 0..255).
template <class T>
void greyrow(const GreyTable& table, const T* values, int columns, std::uint8_t invert,
             std::uint8_t* out, int count) {
  // Columns 1, 3, 5, ... that lie inside the row: 1 + 2i <= columns.
  const int inside = values == nullptr ? 0 : std::clamp((columns + 1) / 2, 0, count);
  for (int i = 0; i < inside; ++i) {
    out[i] =
        static_cast<std::uint8_t>(table.level(values[2 * static_cast<std::ptrdiff_t>(i)]) ^ invert);
  }
  const std::uint8_t blank = static_cast<std::uint8_t>(table.level(0) ^ invert);
  std::fill(out + inside, out + count, blank);
}

}  // namespace vtr
