#include "core/message_area.h"

namespace vtr {

std::string MessageArea::text() const { return std::string(reversed_.rbegin(), reversed_.rend()); }

void MessageArea::prepend(std::string_view front) { reversed_.append(front.rbegin(), front.rend()); }

void MessageArea::replace(std::string_view text) { reversed_.assign(text.rbegin(), text.rend()); }

}  // namespace vtr
