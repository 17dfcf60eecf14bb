#include "core/row_bands.h"

#include <algorithm>
#include <atomic>

namespace vtr {

namespace {

// Bands a task is cut into at least, and the most bytes of rows a band holds.
constexpr std::int64_t kMinBands = 64;
constexpr std::uint64_t kMaxBandBytes = 4u << 20;
// Runs each worker's share of a band is given out in, about: a worker that starts late or is
// slowed by other work leaves its runs to the others.
constexpr std::int64_t kRunsPerWorker = 4;

}  // namespace

std::int64_t band_rows(const BandPlan& plan, std::int64_t rows, std::uint64_t row_bytes) {
  if (plan.rows >= 1) return plan.rows;
  const std::int64_t share = (rows + kMinBands - 1) / kMinBands;
  const std::int64_t most =
      row_bytes == 0 ? share : static_cast<std::int64_t>(kMaxBandBytes / row_bytes);
  return std::max<std::int64_t>(std::min(share, most), 1);
}

int band_workers(const BandPlan& plan, const WorkerPool& pool) {
  return plan.workers >= 1 ? std::min(plan.workers, pool.workers()) : pool.workers();
}

void run_band(WorkerPool& pool, const BandPlan& plan, std::int64_t first, std::int64_t last,
              std::uint64_t row_bytes, const RowRuns& job) {
  const std::int64_t rows = last - first + 1;
  const int workers = static_cast<int>(std::min<std::int64_t>(band_workers(plan, pool), rows));
  if (workers <= 1 || static_cast<std::uint64_t>(rows) * row_bytes < plan.parallel_bytes) {
    job(0, first, last);
    return;
  }
  const std::int64_t run = std::max<std::int64_t>(rows / (workers * kRunsPerWorker), 1);
  std::atomic<std::int64_t> next{first};
  pool.run(workers, [&](int worker) {
    for (;;) {
      const std::int64_t from = next.fetch_add(run, std::memory_order_relaxed);
      if (from > last) return;
      job(worker, from, std::min(from + run - 1, last));
    }
  });
}

}  // namespace vtr
