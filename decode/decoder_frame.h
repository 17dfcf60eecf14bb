// The frame that the four decoders share: the opening line, the strip and row walk with one
// progress report and one positioned read per row, and closing the file. The decoders know
// nothing of the display: the load driver shows their progress and finishes the load.
//
// A row layout supplies only its opening line, its bytes per file row, whether it reports
// "imagefile read", and the unpacking of one row into the store and the histogram.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/app.h"

namespace vtr {

// Told once per row, before the row is read, which row (1..length) comes next; returns false
// to stop the load there (the program is ending).
using RowProgress = std::function<bool(std::int64_t row, std::int64_t length)>;

// How a decoder ended.
struct DecodeResult {
  bool finished = false;     // every row was walked; the load is to be finished and painted
  bool reportsread = false;  // the layout reports "imagefile read" when it is finished
};

// One row's unpacking: `bytes` is rowbuffer(1); it writes columns 1..W of `row` of the store
// and counts each pixel into `bins`.
using UnpackRow = void (*)(const std::uint8_t* bytes, PixelStore& store, std::int64_t row,
                           HistogramCounts& bins);

struct RowLayout {
  std::string_view message;  // written first, e.g. "reading 8 bit image from file"
  std::int64_t rowbytes;     // bytes of one row in the file
  bool reportsread;          // writes "imagefile read" after the chart feed
  StoreKind kind;            // the store the rows are unpacked into
  UnpackRow unpack;
  // The file's row is the stored row byte for byte: it is read straight into the store, and
  // `unpack` is given the stored row and only counts it.
  bool intostore = false;
};

// Runs the whole frame. The file is closed however the frame ends.
DecodeResult decodeimage(App& app, std::int16_t p, const RowLayout& layout,
                         const RowProgress& progress);

}  // namespace vtr
