#include "decode/decoder_frame.h"

#include <algorithm>
#include <cstring>

namespace vtr {

namespace {

// What every row of one decode reads and writes; the work of a row touches nothing else.
struct RowWork {
  const ImageFile& file;
  PixelStore& store;
  HistogramCounts& counts;
  UnpackRow unpack;
  std::size_t row_bytes;  // bytes of one row in the file
};

// How much of a row the file had.
enum class RowFill { whole, part, none };

// The walk's reports, each written once.
struct Reported {
  bool cutshort = false;       // the file ends inside the image data
  bool missingstrips = false;  // strip offsets are missing
};

// Rows per strip as the walk uses it: the header's value, or the whole image as one strip
// when that is below 1. The header holds 0 when no file gave the tag or its value did not fit
// in 31 bits (TIFF's default RowsPerStrip, 2^32 - 1, is such a value).
std::int64_t effective_rows_per_strip(std::int32_t rowsperstrip, std::int64_t length) {
  if (rowsperstrip >= 1) return rowsperstrip;
  return std::max<std::int64_t>(length, 1);
}

bool store_matches(const PixelStore& store, std::int64_t width, std::int64_t length,
                   StoreKind kind) {
  return width >= 0 && length >= 0 && !store.empty() && store.width() == width &&
         store.length() == length && store.kind() == kind;
}

// True when strip s (from 1) has an offset from this file's own StripOffsets; otherwise
// reports the missing strips once.
bool strip_known(const DecodeTarget& t, Reported& reported, std::int64_t s) {
  if (s <= kMaxStrips && s <= t.header.stripoffsetcount) return true;
  if (!reported.missingstrips) {
    reported.missingstrips = true;
    t.lines.error("[error] strip offsets missing - missing strips read as 0");
  }
  return false;
}

std::uint64_t strip_offset(const ImageHeader& h, std::int64_t s) {
  // The parser gives offsets of 0..2^31 - 1; read unsigned, any other value lies far past
  // the end of the file and reads as missing data.
  return static_cast<std::uint32_t>(h.stripoffsets[static_cast<std::size_t>(s)]);
}

// One row of a strip whose offset is known: its bytes at `offset` read into `dest` with one
// read call, bytes the file lacks as 0, then unpacked into `row` of the store and the counts.
// A row the file lacks wholly is left to the caller.
RowFill decode_row(const RowWork& work, std::uint64_t offset, std::int64_t row,
                   std::uint8_t* dest) {
  if (work.row_bytes == 0) return RowFill::whole;  // an image 0 pixels wide
  const std::size_t got = work.file.read_some(offset, dest, work.row_bytes);
  if (got == 0) return RowFill::none;
  if (got < work.row_bytes) std::memset(dest + got, 0, work.row_bytes - got);
  work.unpack(dest, work.store, row, work.counts);
  return got < work.row_bytes ? RowFill::part : RowFill::whole;
}

}  // namespace

DecodeResult decode_image(const DecodeTarget& t, const PixelKind& kind,
                          const RowProgress& progress) {
  t.lines.error(kind.reading);
  const std::int64_t width = t.header.imagewidth;
  const std::int64_t length = t.header.imagelength;
  if (!store_matches(t.store, width, length, kind.store)) {
    t.lines.error("[error] pixel store does not match the image size");
    return {};
  }
  const std::int64_t rowsperstrip = effective_rows_per_strip(t.header.rowsperstrip, length);
  const auto strips = static_cast<std::int32_t>((length + rowsperstrip - 1) / rowsperstrip);
  const RowUnpacking& unpacking = kind.unpacking(t.header.mmorder == kTrue);
  const RowWork work{t.file, t.store, t.counts, unpacking.unpack,
                     static_cast<std::size_t>(kind.row_bytes(width))};
  t.rowbuffer.resize(work.row_bytes + 1);
  Reported reported;
  std::int64_t row = 0;
  for (std::int64_t s = 1; s <= strips && row < length; ++s) {
    const bool known = strip_known(t, reported, s);
    std::uint64_t offset = known ? strip_offset(t.header, s) : 0;
    const std::int64_t rows = std::min(rowsperstrip, length - row);
    for (std::int64_t i = 0; i < rows; ++i, offset += work.row_bytes) {
      ++row;
      if (!progress(row, length)) return {DecodeEnd::stopped, strips};
      // Once the file has ended, the rows left are not given pages: they stay 0 unwritten.
      if (known && !reported.cutshort) t.store.provide(row);
      std::uint8_t* dest = unpacking.into_store ? t.store.rowbytes(row) : t.rowbuffer.data() + 1;
      const RowFill fill = known ? decode_row(work, offset, row, dest) : RowFill::none;
      // Nothing of the row is in the file: its pixels stay 0 in the zeroed store.
      if (fill == RowFill::none) t.counts[0] += static_cast<std::int32_t>(width);
      if (known && fill != RowFill::whole && !reported.cutshort) {
        reported.cutshort = true;
        t.lines.error("[error] image data cut short - missing pixels read as 0");
      }
    }
  }
  return {DecodeEnd::finished, strips};
}

}  // namespace vtr
