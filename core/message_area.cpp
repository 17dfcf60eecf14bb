#include "core/message_area.h"

#include <algorithm>
#include <cstddef>

namespace vtr {

std::string MessageArea::text() const {
  return std::string(reversed_.rbegin(), reversed_.rend());
}

std::string MessageArea::front(std::size_t count) const {
  count = std::min(count, reversed_.size());
  return std::string(reversed_.rbegin(), reversed_.rbegin() + static_cast<std::ptrdiff_t>(count));
}

void MessageArea::prepend(std::string_view front) {
  reversed_.append(front.rbegin(), front.rend());
}

void MessageArea::replace(std::string_view text) {
  reversed_.assign(text.rbegin(), text.rend());
}

}  // namespace vtr
