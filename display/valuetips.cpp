#include "display/valuetips.h"

#include "display/histogram.h"

namespace vtr {

int image_divisor(const ImageHeader& header) {
  if (header.headervalid == 0) return 0;
  return depthdivisor(header.bitspersample[1]);
}

std::string bin_tip(const ImageHeader& header, int bin, std::int64_t count) {
  std::string tip = "bin " + std::to_string(bin);
  const int d = image_divisor(header);
  if (d == 1) tip += " = " + std::to_string(bin);
  if (d > 1) {
    const std::int64_t first = static_cast<std::int64_t>(bin) * d;
    tip += " = " + std::to_string(first) + " to " + std::to_string(first + d - 1);
  }
  return tip + ", " + std::to_string(count) + (count == 1 ? " pixel" : " pixels");
}

}  // namespace vtr
