// The frame that the four decoders share: the opening line, the strip and row walk with one
// positioned read per row, in bands of rows that the workers share, with one progress report
// before each band. It works on its target's records alone and knows nothing of the display,
// the file table or the task clock: its callers show its progress, close the file and finish
// the load.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/file_table.h"
#include "core/histogram_counts.h"
#include "core/image_header.h"
#include "core/message_lines.h"
#include "core/pixel_kinds.h"
#include "core/pixel_store.h"
#include "core/row_bands.h"
#include "core/worker_pool.h"

namespace vtr {

// What one decode reads and writes.
struct DecodeTarget {
  const ImageFile& file;      // the open image file, read by byte position
  const ImageHeader& header;  // the image's size, byte order, rows per strip and strip offsets
  PixelStore& store;          // made for the header's size in the kind's values, all 0
  std::vector<std::uint8_t>& rowbuffer;  // one file row for each worker, from element 1
  HistogramCounts& counts;               // every pixel counted into its bin
  MessageLines& lines;                   // the opening line and the error lines
  WorkerPool& workers;                   // the threads that share a band's rows
  const BandPlan& bands;                 // how the rows go in bands
};

// Told once per band, before its rows are read, the last row (1..length) of the band; returns
// false to stop the decode there (the program is ending). Nothing else runs meanwhile: the
// store, the counts and the lines hold every row before the band, and none after.
using RowProgress = std::function<bool(std::int64_t row, std::int64_t length)>;

enum class DecodeEnd {
  mismatched,  // the store does not hold the header's size in the kind's values: nothing read
  stopped,     // the progress stopped it
  finished,    // every row was walked
};

struct DecodeResult {
  DecodeEnd end = DecodeEnd::mismatched;
  // The strips the image was walked in (rows per strip below 1 count as one strip); 0 when
  // mismatched.
  std::int32_t stripsperimage = 0;
};

// Decodes the target's file as pixel kind `kind`. Rows the file lacks, wholly or in part,
// read as 0 and are reported once. The store, the counts and the lines come out the same for
// any plan of bands and any number of workers.
DecodeResult decode_image(const DecodeTarget& target, const PixelKind& kind,
                          const RowProgress& progress);

}  // namespace vtr
