// The floors our load is measured against: what the machine needs at least to fill a store
// of the image's shape and to take the half-scale picture out of it.
#pragma once

#include <cstdint>
#include <vector>

#include "decode/pixel_store.h"

namespace vtr::bench {

// The memory floor: a store of the same shape, made the same way, with channel 1 of every
// pixel written once.
void memoryfloor(PixelStore& store, std::int32_t width, std::int32_t length);

// The memory floor with the store backed on a second thread while channel 1 is written, as
// the decoders back theirs: what the machine needs at least when both cores take part.
void memoryfloorpopulated(PixelStore& store, std::int32_t width, std::int32_t length);

// The memory floor on small pages: the same shape mapped the same way but without the advice
// to use huge pages, to tell what that advice is worth. Returns the mapping, which
// unmapfloor gives back.
void* memoryfloorsmallpages(std::int32_t width, std::int32_t length);
void unmapfloor(void* cells, std::int32_t width, std::int32_t length);

// The paint floor: channel 1 of every second pixel of every second row, one grey byte each,
// into `out` (resized to ceil(W/2) x Fix(L/2)).
void paintfloor(const PixelStore& store, std::vector<std::uint8_t>& out);

}  // namespace vtr::bench
