// Long tasks over rows (the load reads the file's rows, the paint draws the picture's) go in
// bands: a run of rows that the workers share, then, on the window's thread alone, what the
// user sees (the counts added up, the lines, the progress and one pass of the window's events)
// before the next band. A band is short enough that the window waits little for its events,
// and long enough that the hand-over to the workers and back costs little beside its rows.
#pragma once

#include <cstdint>
#include <functional>

#include "core/worker_pool.h"

namespace vtr {

// How a task's rows go in bands and onto the workers.
struct BandPlan {
  // Rows of a band; 0: chosen from the task (band_rows).
  std::int64_t rows = 0;
  // The most workers a band uses; 0: every worker of the pool.
  int workers = 0;
  // A band of fewer bytes than this runs on the calling thread alone: handing it to the
  // workers would cost more than it saves.
  std::uint64_t parallel_bytes = 128u << 10;
};

// The rows of a band for a task of `rows` rows of `row_bytes` bytes each: the plan's rows when
// it gives them, else 1/64 of the task (so that the window gets at least 64 event passes
// during it), at most 4 MiB of rows and at least one row.
std::int64_t band_rows(const BandPlan& plan, std::int64_t rows, std::uint64_t row_bytes);

// The most workers a band of `plan` uses in `pool`: what the task makes ready for each one.
int band_workers(const BandPlan& plan, const WorkerPool& pool);

// The work of rows first .. last of a band, given out in runs: a call covers rows from .. to.
using RowRuns = std::function<void(int worker, std::int64_t from, std::int64_t to)>;

// Does rows first .. last (first <= last) of a band, each row in exactly one call of `job`
// and the calls of one worker in order of their rows; on the workers of `pool` that the
// band's bytes (rows x `row_bytes`) merit, worker 0 being the calling thread, or on it alone.
// Returns when every row is done.
void run_band(WorkerPool& pool, const BandPlan& plan, std::int64_t first, std::int64_t last,
              std::uint64_t row_bytes, const RowRuns& job);

}  // namespace vtr
