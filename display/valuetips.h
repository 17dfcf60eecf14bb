// The stored values behind the intensity sliders and the histogram's bins, as the tooltips
// show them for the image in memory.
#pragma once

#include <cstdint>
#include <string>

#include "core/toolkit.h"

namespace vtr {

struct App;

// The depth divisor of the image in memory, or 0 when there is none (no image, or a depth
// without a divisor).
int imagedivisor(const App& app);

// "min 1 = 256": the slider and its position, then the stored value the position stands for
// (position x depth divisor); only "min 1" without an image.
std::string slidertip(const App& app, Slider slider, int position);

// "bin 11 = 2816 to 3071, 1234 pixels": the stored values that fall into the bin and its
// count; "bin 11 = 11, ..." where the bin holds one value, "bin 11, ..." without an image.
std::string bintip(const App& app, int bin, std::int64_t count);

}  // namespace vtr
