#include "decode/decoder_frame.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace vtr {

namespace {

// What every row of one decode reads and writes; the work of a row touches nothing else, so
// rows can be done on any worker in any order.
struct RowWork {
  const ImageFile& file;
  const ImageHeader& header;
  PixelStore& store;
  const RowUnpacking& unpacking;
  std::size_t row_bytes;      // bytes of one row in the file
  std::int64_t width;         // pixels of a row
  std::int64_t rowsperstrip;  // as the walk uses it, at least 1
  std::int64_t known_rows;    // rows 1..known_rows lie in strips whose offsets the file gave
};

// What one worker found in its rows of a band, added up by the window's thread once the band
// is done. Each on cache lines of its own, so that the workers' counts do not collide.
struct alignas(64) RowTally {
  HistogramCounts counts{};
  std::int64_t first_cut = 0;  // the first row the file did not wholly hold; 0: none
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

// Rows of the strips that have an offset from this file's own StripOffsets: the first strips,
// up to the 1024 the header holds. The rows of later strips have no data; offsets an earlier
// file left in the header are never read.
std::int64_t rows_with_offsets(const ImageHeader& h, std::int64_t rowsperstrip,
                               std::int64_t length) {
  const std::int64_t strips = std::clamp<std::int64_t>(h.stripoffsetcount, 0, kMaxStrips);
  return std::min(length, strips * rowsperstrip);
}

std::uint64_t strip_offset(const ImageHeader& h, std::int64_t s) {
  // The parser gives offsets of 0..2^31 - 1; read unsigned, any other value lies far past
  // the end of the file and reads as missing data.
  return static_cast<std::uint32_t>(h.stripoffsets[static_cast<std::size_t>(s)]);
}

// The file offset of row 1..known_rows: its strip's offset, then the strip's earlier rows.
std::uint64_t row_offset(const RowWork& work, std::int64_t row) {
  const std::int64_t strip = (row - 1) / work.rowsperstrip + 1;
  const auto within = static_cast<std::uint64_t>((row - 1) % work.rowsperstrip);
  return strip_offset(work.header, strip) + within * work.row_bytes;
}

// One row of a strip whose offset is known: its bytes at `offset` read into `dest` with one
// read call, bytes the file lacks as 0, then unpacked into `row` of the store and `counts`.
// A row the file lacks wholly is left to the caller.
RowFill decode_row(const RowWork& work, std::uint64_t offset, std::int64_t row, std::uint8_t* dest,
                   HistogramCounts& counts) {
  if (work.row_bytes == 0) return RowFill::whole;  // an image 0 pixels wide
  const std::size_t got = work.file.read_some(offset, dest, work.row_bytes);
  if (got == 0) return RowFill::none;
  if (got < work.row_bytes) std::memset(dest + got, 0, work.row_bytes - got);
  work.unpacking.unpack(dest, work.store, row, counts);
  return got < work.row_bytes ? RowFill::part : RowFill::whole;
}

// Rows from .. to of a band, on one worker: each read into `buffer`, unpacked into the store and
// counted into the worker's tally. A row
// with no data in the file stays 0 and counts as 0. The rows' pages are provided first, until
// the file has been seen to end: rows past its end are not given pages.
void decode_rows(const RowWork& work, std::int64_t from, std::int64_t to, std::uint8_t* buffer,
                 RowTally& tally, std::atomic<bool>& ended) {
  if (from <= work.known_rows && !ended.load(std::memory_order_relaxed)) {
    work.store.provide(from, std::min(to, work.known_rows));
  }
  for (std::int64_t row = from; row <= to; ++row) {
    RowFill fill = RowFill::none;
    if (row <= work.known_rows) {
      fill = decode_row(work, row_offset(work, row), row, buffer, tally.counts);
      if (fill != RowFill::whole && tally.first_cut == 0) {
        tally.first_cut = row;
        ended.store(true, std::memory_order_relaxed);
      }
    }
    if (fill == RowFill::none) tally.counts[0] += static_cast<std::int32_t>(work.width);
  }
}

// Adds the workers' tallies of a band into the counts and clears them; the first row of the
// band that the file did not wholly hold, 0 for none.
std::int64_t add_tallies(std::vector<RowTally>& tallies, HistogramCounts& counts) {
  std::int64_t first_cut = 0;
  for (RowTally& tally : tallies) {
    for (std::size_t i = 0; i < counts.size(); ++i) counts[i] += tally.counts[i];
    tally.counts.fill(0);
    if (tally.first_cut != 0 && (first_cut == 0 || tally.first_cut < first_cut)) {
      first_cut = tally.first_cut;
    }
    tally.first_cut = 0;
  }
  return first_cut;
}

// The reports of a band that ends at row `last`, each line written the first time its fault
// shows, in the order of the rows where they show: a cut (always in a strip with an offset)
// comes before the first row of the missing strips.
void report_band(const DecodeTarget& t, const RowWork& work, std::int64_t first_cut,
                 std::int64_t last, Reported& reported) {
  if (first_cut != 0 && !reported.cutshort) {
    reported.cutshort = true;
    t.lines.error("[error] image data cut short - missing pixels read as 0");
  }
  if (last > work.known_rows && !reported.missingstrips) {
    reported.missingstrips = true;
    t.lines.error("[error] strip offsets missing - missing strips read as 0");
  }
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
  const auto row_bytes = static_cast<std::size_t>(kind.row_bytes(width));
  const RowWork work{
      t.file,    t.header, t.store,      kind.unpacking(t.header.mmorder == kTrue),
      row_bytes, width,    rowsperstrip, rows_with_offsets(t.header, rowsperstrip, length)};
  const int workers = band_workers(t.bands, t.workers);
  t.rowbuffer.resize(1 + static_cast<std::size_t>(workers) * row_bytes);
  std::vector<RowTally> tallies(static_cast<std::size_t>(workers));
  const std::int64_t per_band = band_rows(t.bands, length, row_bytes);
  Reported reported;
  for (std::int64_t first = 1; first <= length; first += per_band) {
    const std::int64_t last = std::min(length, first + per_band - 1);
    if (!progress(last, length)) return {DecodeEnd::stopped, strips};
    std::atomic<bool> ended{reported.cutshort};
    run_band(t.workers, t.bands, first, last, row_bytes,
             [&](int worker, std::int64_t from, std::int64_t to) {
               std::uint8_t* buffer =
                   t.rowbuffer.data() + 1 + static_cast<std::size_t>(worker) * row_bytes;
               decode_rows(work, from, to, buffer, tallies[static_cast<std::size_t>(worker)],
                           ended);
             });
    report_band(t, work, add_tallies(tallies, t.counts), last, reported);
  }
  return {DecodeEnd::finished, strips};
}

}  // namespace vtr
