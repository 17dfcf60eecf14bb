// Writing a pixel's cell (channels 0..3) into a freshly made store, where every value starts
// at 0 and channel 0 stays 0.
//
// Two ways, the same stored values. Plain: only the channels that take a value are written.
// Streaming: the whole 16-byte cell is written with a streaming store, so the processor
// writes full cache lines without first reading them from memory. Streaming pays only where
// the pages were already faulted in (by the store's backing thread); on a page the writer
// faults in itself the kernel has just cleared it into the cache, and a plain write is
// cheaper. A streamed row also writes its column 0, so that its cache lines are written
// whole.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vtr {

// Writes (0, c1, c2, c3) to the 16-byte aligned cell at `cell` (every cell of the store is:
// the store starts on a page).
inline void streamcell(std::int32_t* cell, std::int32_t c1, std::int32_t c2, std::int32_t c3) {
#if defined(__SSE2__)
  _mm_stream_si128(reinterpret_cast<__m128i*>(cell), _mm_set_epi32(c3, c2, c1, 0));
#else
  cell[0] = 0;
  cell[1] = c1;
  cell[2] = c2;
  cell[3] = c3;
#endif
}

// A grey value into channel 1.
template <bool Stream>
inline void putgrey(std::int32_t* cell, std::int32_t v) {
  if constexpr (Stream) {
    streamcell(cell, v, 0, 0);
  } else {
    cell[1] = v;
  }
}

// The grey of a colour pixel into channels 1, 2 and 3.
template <bool Stream>
inline void putgrey3(std::int32_t* cell, std::int32_t g) {
  if constexpr (Stream) {
    streamcell(cell, g, g, g);
  } else {
    cell[1] = g;
    cell[2] = g;
    cell[3] = g;
  }
}

// Column 0 of a row, which holds zeros: written only by a streamed row.
template <bool Stream>
inline void putcolumn0(std::int32_t* row) {
  if constexpr (Stream) streamcell(row, 0, 0, 0);
}

// Orders the streaming writes before whatever follows; called once when the rows are written.
inline void fencestreamedcells() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

}  // namespace vtr
