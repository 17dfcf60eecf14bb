// The floors our load is measured against: what the machine needs at least to fill a store
// of the image's shape and to take the half-scale picture out of it.
#pragma once

#include <cstdint>
#include <vector>

#include "core/pixel_store.h"

namespace vtr::bench {

// The memory floor: a store of the same shape and kind, made the same way, with every value
// written once, row by row, the pages faulted in by the writes (4 KiB pages).
void memoryfloor(PixelStore& store, std::int32_t width, std::int32_t length, StoreKind kind);

// The paint floor: every second value of every second row, one grey byte each, into `out`
// (resized to ceil(W/2) x Fix(L/2)).
void paintfloor(const PixelStore& store, std::vector<std::uint8_t>& out);

}  // namespace vtr::bench
