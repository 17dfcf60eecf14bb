// The 256-bin histogram of the full-resolution pixel values of the last image loaded: the
// record the decoders count into, the chart shows and best fit reads.
#pragma once

#include <array>
#include <cstdint>

namespace vtr {

// Pixels counted in each of the 256 bins.
using HistogramCounts = std::array<std::int32_t, 256>;

struct Histogram {
  HistogramCounts bins{};
};

}  // namespace vtr
