// The reader a C programmer would reach for: libtiff, one TIFFReadScanline per row into a
// reused buffer, counting the 256-bin histogram with our bin rule (grey value for RGB).
#pragma once

#include <string>

#include "core/toolkit.h"

namespace vtr::bench {

// The histogram of the file at `path`; false when libtiff cannot read it.
bool libtiffhistogram(const std::string& path, HistogramCounts& bins);

}  // namespace vtr::bench
