// The stored values behind the histogram's bins, as the chart's tooltip shows them for the
// image in memory.
#pragma once

#include <cstdint>
#include <string>

#include "core/image_header.h"

namespace vtr {

// The depth divisor of the image that `header` describes, or 0 when there is none (no valid
// header, or a depth without a divisor).
int image_divisor(const ImageHeader& header);

// "bin 11 = 2816 to 3071, 1234 pixels": the stored values that fall into the bin and its
// count; "bin 11 = 11, ..." where the bin holds one value, "bin 11, ..." without an image.
std::string bin_tip(const ImageHeader& header, int bin, std::int64_t count);

}  // namespace vtr
