// The mapping of stored values to the grey levels of the picture.
//
// g = trunc((v - offset) * scale) held to 0..255, then 255 - g when inverted, with
// scale = (255 / max) / divisor and offset = min * divisor, both in double precision.
#pragma once

#include <algorithm>
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

// Grey levels of every second value of channel 1 in a stored row: out[i] is the level of
// column 1 + 2i, for i < count. `cells` points at the row's column 0, channel 0 (four values
// per column) and holds `columns` columns after it (1..columns); later columns read as 0.
// `invert` is 0 or 255 and is XORed into each level (255 - g for g in 0..255).
void greyrow(const GreyTable& table, const std::int32_t* cells, int columns, std::uint8_t invert,
             std::uint8_t* out, int count);

}  // namespace vtr
