// The floors our load is measured against: what the machine needs at least to fill a store
// of the image's shape and to take the half-scale picture out of it, on the same workers and
// in the same bands of rows as the load and the paint.
#pragma once

#include <cstdint>
#include <vector>

#include "core/pixel_store.h"
#include "core/row_bands.h"

namespace vtr::bench {

// The memory floor: a store of the same shape and kind, made the same way, with every value
// written once, in the load's bands on the workers of `pool`: each worker has the pages of its
// run of rows provided in one request (PixelStore::provide), as a load's workers do, then
// writes the rows one after another.
void memoryfloor(PixelStore& store, std::int32_t width, std::int32_t length, StoreKind kind,
                 WorkerPool& pool, const BandPlan& plan);

// The paint floor: every second value of every second row, one grey byte each (the value's
// high byte for two bytes a value), into `out` (resized to ceil(W/2) x Fix(L/2)), in the
// paint's bands on the workers of `pool`.
void paintfloor(const PixelStore& store, std::vector<std::uint8_t>& out, WorkerPool& pool,
                const BandPlan& plan);

}  // namespace vtr::bench
