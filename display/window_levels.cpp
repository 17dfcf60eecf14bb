#include "display/window_levels.h"

#include "display/greymap.h"

namespace vtr {

namespace {

// The first of the values 0..top whose level is at least `level`, or none. Levels rise with
// the value, so the values below it are found by halving (clang 14 cannot compile libstdc++
// 12's ranges, which would say the same with partition_point over an iota view).
std::optional<std::int32_t> first_at(const GreyMap& map, std::int32_t top, int level) {
  std::int32_t low = 0;
  std::int32_t high = top + 1;
  while (low < high) {
    const std::int32_t mid = low + (high - low) / 2;
    if (map.level(mid) < level) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (low > top) return std::nullopt;
  return low;
}

}  // namespace

WindowLevels window_levels(int min, int max, int d) {
  const GreyMap map = GreyMap::make(min, max, d);
  const std::int32_t top = 256 * d - 1;
  return WindowLevels{first_at(map, top, 1), first_at(map, top, 255)};
}

std::string window_levels_tip(Slider slider, int min, int max, int d, bool inverted) {
  const int position = slider == Slider::image_min ? min : max;
  std::string tip = (slider == Slider::image_min ? "min " : "max ") + std::to_string(position);
  if (d <= 0) return tip;
  const std::string low = inverted ? "white" : "black";
  const std::string high = inverted ? "black" : "white";
  const WindowLevels edges = window_levels(min, max, d);
  if (!edges.grey_from) return tip + ": all " + low;
  tip += ": " + low + " below " + std::to_string(*edges.grey_from);
  if (!edges.white_from) return tip + ", never " + high;
  return tip + ", " + high + " from " + std::to_string(*edges.white_from);
}

}  // namespace vtr
