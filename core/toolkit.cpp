#include "core/toolkit.h"

namespace vtr {

void Toolkit::set_grey_row(int x0, int y, const std::uint8_t* grey, int count) {
  for (int i = 0; i < count; ++i) {
    set_pixel(static_cast<float>(x0 + i), static_cast<float>(y), Rgb{grey[i], grey[i], grey[i]});
  }
}

}  // namespace vtr
