// The stored values behind the histogram's bins, as the chart's tooltip shows them for the
// image in memory.
#pragma once

#include <cstdint>
#include <string>

namespace vtr {

struct App;

// The depth divisor of the image in memory, or 0 when there is none (no image, or a depth
// without a divisor).
int imagedivisor(const App& app);

// "bin 11 = 2816 to 3071, 1234 pixels": the stored values that fall into the bin and its
// count; "bin 11 = 11, ..." where the bin holds one value, "bin 11, ..." without an image.
std::string bintip(const App& app, int bin, std::int64_t count);

}  // namespace vtr
