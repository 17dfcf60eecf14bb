// The histogram's bin rule, its clearing and its feeding of the chart.
#pragma once

#include <cstdint>

#include "core/histogram_counts.h"

namespace vtr {

struct App;
class Toolkit;

// The depth divisor for a bits-per-sample value, that of the pixel kinds of that depth: 1, 16
// or 256 for 8, 12 or 16; 0 for any other depth (no divisor exists).
int depthdivisor(int bitspersample);

// The bin of stored value v under depth divisor d: trunc(v / d).
inline int histogrambin(std::int32_t v, int d) {
  return static_cast<int>(v / d);
}

// Sets bins 0..255 to 0, then feeds the chart.
std::int16_t zerohistogram(App& app);

// Hands the whole table to the chart.
void feed_chart(Toolkit& tk, const Histogram& histogram);

}  // namespace vtr
