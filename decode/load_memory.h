// What an image takes once it is loaded, shown, copied and printed, counted in bytes before
// any of it is had: a load is refused when the whole of it cannot be had, and a copy or a
// print when what it allocates cannot (see memory_headroom.h for what the process may have).
#pragma once

#include <cstdint>

#include "core/pixel_store.h"

namespace vtr {

// Left beside a loaded image for what is not counted one by one: the print of the window
// (its page image, and the print system's copy of it and that copy compressed, about 10 bytes
// a pixel of a window of up to 6 million pixels), the histogram chart, the message area and
// the heap's own waste.
inline constexpr std::uint64_t kLoadReserve = 64ull << 20;

// Left beside a copy or a print at the moment it is made, for the clipboard's and the print
// system's own records and the lines the command writes.
inline constexpr std::uint64_t kTaskReserve = 16ull << 20;

// The picture of a width x length image: half its size each way, truncated (at least 0).
int picture_side(std::int32_t n);

// The picture's grey levels: one byte a pixel, rows padded to 4 bytes.
std::uint64_t picture_bytes(int width, int height);

// The picture as the clipboard gets it: three bytes (red, green, blue) a pixel, rows padded
// to 4 bytes.
std::uint64_t copy_bytes(int width, int height);

// A print of a page image of width x height pixels: the image at 4 bytes a pixel, and the
// print system's copy of it (3 bytes a pixel) with that copy compressed (at most as much).
std::uint64_t print_bytes(int width, int height);

// The load's row buffer for `workers` workers (at least 1): the widest file row of any
// pixel kind for each, and the unused element 0.
std::uint64_t rowbuffer_bytes(std::int32_t width, int workers);

// Everything a load of a width x length image (both at least 0) into a store of `kind` leads
// to: the store, the picture, the row buffers, a copy of the picture and kLoadReserve.
std::uint64_t load_bytes(std::int32_t width, std::int32_t length, StoreKind kind, int workers);

}  // namespace vtr
