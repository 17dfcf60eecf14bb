#include "display/window_levels.h"

#include <algorithm>
#include <ranges>

#include "display/greymap.h"

namespace vtr {

namespace {

// The first of the values 0..top whose level is at least `level`, or none.
std::optional<std::int32_t> first_at(const GreyMap& map, std::int32_t top, int level) {
  const auto values = std::views::iota(std::int32_t{0}, top + 1);
  const auto found =
      std::ranges::partition_point(values, [&](std::int32_t v) { return map.level(v) < level; });
  if (found == values.end()) return std::nullopt;
  return *found;
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
