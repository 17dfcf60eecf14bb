// The pixel kinds the viewer reads: one row per supported layout of bits per sample and
// photometric interpretation, holding everything that differs between them: the store the
// image is kept in, the depth divisor of the display and the histogram, the decoder's opening
// line, the bytes of a file row and how a row is unpacked. The decoder choice, the store kind
// of a header and the depth divisor all read this one table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/pixel_store.h"
#include "core/row_unpack.h"

namespace vtr {

// How a file row of one byte order becomes stored values. Every row is read into a row
// buffer of the worker's own, which stays in the processor's cache, and unpacked from there
// into the store, even where the file's bytes are the stored values (8-bit, and 16-bit in the
// processor's byte order): the system writing a read straight into the store's fresh pages
// measured slower than a read into the cached buffer and a copy (8192 x 8192 8-bit: 166 ms
// against 93).
struct RowUnpacking {
  UnpackRow unpack = nullptr;
};

struct PixelKind {
  std::int16_t bitspersample = 0;
  std::int16_t photometric = 0;
  StoreKind store = StoreKind::grey16;
  int divisor = 0;            // stored value / divisor: the histogram bin and the slider step
  std::string_view reading;   // the decoder's opening line, "reading 8 bit image from file"
  bool reports_read = false;  // the load writes "imagefile read" after the chart feed
  std::int64_t (*row_bytes)(std::int64_t width) = nullptr;  // bytes of one file row
  RowUnpacking ii;                                          // a file of "II" byte order
  RowUnpacking mm;                                          // a file of "MM" byte order

  const RowUnpacking& unpacking(bool mmorder) const { return mmorder ? mm : ii; }
};

// Every kind, in the order the decoder choice tries them.
std::span<const PixelKind> pixel_kinds();

// The kind that reads files of `bitspersample` and `photometric`; nullptr for a pair no kind
// reads.
const PixelKind* pixel_kind_for(int bitspersample, int photometric);

// The first kind of depth `bitspersample`, whatever its photometric; nullptr for a depth no
// kind reads.
const PixelKind* pixel_kind_of_depth(int bitspersample);

}  // namespace vtr
