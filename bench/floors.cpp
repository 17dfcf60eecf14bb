#include "bench/floors.h"

#include <algorithm>
#include <cstring>

namespace vtr::bench {

namespace {

// Rows 1..rows in bands of the plan, each band shared by the workers as `job` runs.
void in_bands(WorkerPool& pool, const BandPlan& plan, std::int64_t rows, std::uint64_t row_bytes,
              const RowRuns& job) {
  const std::int64_t per_band = band_rows(plan, rows, row_bytes);
  for (std::int64_t first = 1; first <= rows; first += per_band) {
    run_band(pool, plan, first, std::min(rows, first + per_band - 1), row_bytes, job);
  }
}

// Display row r of the half-scale picture, ceil(W/2) bytes from stored row 2r - 1.
void floor_row(const PixelStore& store, std::int64_t r, std::int64_t columns, std::uint8_t* o) {
  if (valuebytes(store.kind()) == 2) {
    const std::uint16_t* row = store.row<std::uint16_t>(2 * r - 1);
    for (std::int64_t c = 0; c < columns; ++c) o[c] = static_cast<std::uint8_t>(row[2 * c] >> 8);
  } else {
    const std::uint8_t* row = store.row<std::uint8_t>(2 * r - 1);
    for (std::int64_t c = 0; c < columns; ++c) o[c] = row[2 * c];
  }
}

}  // namespace

void memoryfloor(PixelStore& store, std::int32_t width, std::int32_t length, StoreKind kind,
                 WorkerPool& pool, const BandPlan& plan) {
  store.recreate(width, length, kind);
  const auto rowbytes =
      static_cast<std::size_t>(width) * static_cast<std::size_t>(valuebytes(kind));
  in_bands(pool, plan, length, rowbytes,
           [&store, rowbytes](int, std::int64_t from, std::int64_t to) {
             store.provide(from, to);
             // Every value of the row written, as a decoder writes its row.
             for (std::int64_t y = from; y <= to; ++y) {
               std::memset(store.rowbytes(y), static_cast<int>(y & 0x7F) | 1, rowbytes);
             }
           });
}

void paintfloor(const PixelStore& store, std::vector<std::uint8_t>& out, WorkerPool& pool,
                const BandPlan& plan) {
  const std::int64_t columns = (store.width() + 1) / 2;
  const std::int64_t rows = store.length() / 2;
  out.resize(static_cast<std::size_t>(columns * rows));
  // A display row reads about one stored row, as the paint counts it.
  const auto row_cost = static_cast<std::uint64_t>(store.width()) * valuebytes(store.kind());
  std::uint8_t* picture = out.data();
  in_bands(pool, plan, rows, row_cost,
           [&store, columns, picture](int, std::int64_t from, std::int64_t to) {
             for (std::int64_t r = from; r <= to; ++r)
               floor_row(store, r, columns, picture + (r - 1) * columns);
           });
}

}  // namespace vtr::bench
