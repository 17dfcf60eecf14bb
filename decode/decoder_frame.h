// The frame that the four decoders share: the opening line, the strip and row walk with one
// progress step, one event pump and one positioned read per row, and the closing steps
// (close the file, feed the chart, report the time, paint).
//
// A row layout supplies only its opening line, its bytes per file row, whether it reports
// "imagefile read", and the unpacking of one row into the store and the histogram.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/app.h"

namespace vtr {

struct RowLayout {
  std::string_view message;  // written first, e.g. "reading 8 bit image from file"
  std::int64_t rowbytes;     // bytes of one row in the file
  bool reportsread;          // writes "imagefile read" after the chart feed
};

// One load's geometry, taken from the header when the frame begins.
struct FrameState {
  std::int16_t p = 0;  // the file number
  std::int64_t width = 0;
  std::int64_t length = 0;
  std::int64_t rowsperstrip = 0;  // at least 1
  std::int64_t strips = 0;
  std::int64_t rowbytes = 0;
  bool cutshort = false;       // reported that the file ends inside the image data
  bool missingstrips = false;  // reported that strip offsets are missing
};

// Rows per strip as the walk uses it: the header's value, or the whole image as one strip
// when that is below 1 (TIFF's default RowsPerStrip is 2^32 - 1, which a signed field holds
// as -1).
std::int64_t effectiverowsperstrip(std::int32_t rowsperstrip, std::int64_t length);

// The opening steps: the layout's line, stripsperimage, the task clock, the row buffer.
// False (file closed, error line written) when the store does not hold the header's size.
bool beginframe(App& app, std::int16_t p, const RowLayout& layout, FrameState& st);

// True when strip s (from 1) has an offset from this file's own StripOffsets; otherwise
// reports the missing strips once.
bool stripknown(App& app, FrameState& st, std::int64_t s);
std::uint64_t stripoffset(const App& app, std::int64_t s);

// Progress row / L and one event pump. False when the program was told to end meanwhile:
// the file is then closed and the load must stop.
bool rowstep(App& app, const FrameState& st, std::int64_t row);

// Reads one row at `offset` into rowbuffer(1..N) with one read call. Bytes the file does not
// have read as 0 and are reported once. False when none of the row was read.
bool readrow(App& app, FrameState& st, std::uint64_t offset);

// The closing steps: close the file, feed the chart, "imagefile read" where the layout
// reports it, the task time, the paint.
void endframe(App& app, const FrameState& st, const RowLayout& layout);

// One row's unpacking: `bytes` is rowbuffer(1), `storerow` the store's element (0, 0, row);
// it writes columns 1..width and counts each pixel into `bins`.
using UnpackRow = void (*)(const std::uint8_t* bytes, std::int32_t* storerow, std::int64_t width,
                           HistogramCounts& bins);

// Runs the whole frame. `plain` unpacks rows whose pages the store's backing thread has not
// reached, `streamed` the rows it has (see cells.h): the two store the same values.
std::int16_t decodeimage(App& app, std::int16_t p, const RowLayout& layout, UnpackRow plain,
                         UnpackRow streamed);

}  // namespace vtr
