#include "display/valuetips.h"

#include "core/app.h"
#include "display/histogram.h"

namespace vtr {

int imagedivisor(const App& app) {
  if (app.header.headervalid == 0) return 0;
  return depthdivisor(app.header.bitspersample[1]);
}

std::string bintip(const App& app, int bin, std::int64_t count) {
  std::string tip = "bin " + std::to_string(bin);
  const int d = imagedivisor(app);
  if (d == 1) tip += " = " + std::to_string(bin);
  if (d > 1) {
    const std::int64_t first = static_cast<std::int64_t>(bin) * d;
    tip += " = " + std::to_string(first) + " to " + std::to_string(first + d - 1);
  }
  return tip + ", " + std::to_string(count) + (count == 1 ? " pixel" : " pixels");
}

}  // namespace vtr
