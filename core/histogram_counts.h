// The 256-bin histogram of the full-resolution pixel values of the last image loaded: the
// record the decoders count into, the chart shows and best fit reads.
#pragma once

#include "core/toolkit.h"

namespace vtr {

struct Histogram {
  HistogramCounts bins{};
};

}  // namespace vtr
