#include "display/greymap.h"

#include <algorithm>

namespace vtr {

GreyTable::GreyTable(const GreyMap& map, std::int32_t top)
    : map_(map), levels_(static_cast<std::size_t>(std::max(top, -1) + 1)) {
  for (std::size_t v = 0; v < levels_.size(); ++v) {
    levels_[v] = map.level(static_cast<std::int32_t>(v));
  }
}

}  // namespace vtr
