// The files the limit test loads, written into one folder:
//   big.tif    28000 x 28000 16-bit grey, one strip of zeros: a sparse file of 1.46 GiB that
//              takes almost nothing on disk, whose store takes as much
//   copy21000.tif, copy22000.tif
//              21000 x 21000 and 22000 x 22000 8-bit grey, sparse likewise: stores of 421 and
//              462 MiB, whose pictures and copies together take as much again
//   mid.tif    2100 x 2100 16-bit grey with varied pixels: 8.4 MiB, an 8.4 MiB store, large
//              enough for its pages to be asked of the kernel in more than one request
//   small.tif  6 x 4 8-bit grey
#pragma once

#include <string>

namespace vtr::test {

// Writes the files into `folder`; false when one could not be written.
bool makeprobefiles(const std::string& folder);

}  // namespace vtr::test
