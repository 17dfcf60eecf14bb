// The four row layouts: how the bytes of one file row become stored values and histogram
// counts. `b` points at the row's first byte, `sr` at the store's element (0, 0, row), whose
// pixel x, channel c is sr[4 * x + c]; columns 1..w are written. `Stream` chooses how the
// cells are written (see cells.h); the values are the same either way.
#pragma once

#include <cstdint>

#include "core/toolkit.h"
#include "decode/cells.h"

namespace vtr {

// Row bytes of each layout, in wide arithmetic (a 16-bit count would limit the width).
inline std::int64_t rowbytesgray8(std::int64_t w) {
  return w;
}
inline std::int64_t rowbytesgray12(std::int64_t w) {
  return w + (w + 1) / 2;
}
inline std::int64_t rowbytesgray16(std::int64_t w) {
  return 2 * w;
}
inline std::int64_t rowbytesrgb8(std::int64_t w) {
  return 3 * w;
}

// One byte per pixel, stored as it is; bin = value.
template <bool Stream>
inline void unpackgray8(const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                        HistogramCounts& bins) {
  putcolumn0<Stream>(sr);
  for (std::int64_t x = 1; x <= w; ++x) {
    const std::uint8_t v = b[x - 1];
    putgrey<Stream>(sr + 4 * x, v);
    ++bins[v];
  }
}

// 12-bit samples as a bit stream, most significant bits first: two pixels in three bytes;
// an odd last pixel takes one byte and the high half of the next. bin = value / 16.
template <bool Stream>
inline void unpackgray12(const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                         HistogramCounts& bins) {
  putcolumn0<Stream>(sr);
  std::int32_t* cell = sr + 4 * 1;  // column 1; a column is four values
  const std::uint8_t* pair = b;
  for (std::int64_t x = 1; x < w; x += 2, pair += 3, cell += 8) {
    const std::int32_t first = pair[0] * 16 + (pair[1] >> 4);
    const std::int32_t second = (pair[1] & 0x0F) * 256 + pair[2];
    putgrey<Stream>(cell, first);
    ++bins[static_cast<std::size_t>(first >> 4)];
    putgrey<Stream>(cell + 4, second);
    ++bins[static_cast<std::size_t>(second >> 4)];
  }
  if (w % 2 == 1) {
    const std::int32_t last = pair[0] * 16 + (pair[1] >> 4);
    putgrey<Stream>(cell, last);
    ++bins[static_cast<std::size_t>(last >> 4)];
  }
}

// Two bytes per pixel, most significant first when `MM` ("MM" files), else least significant
// first; bin = value / 256. The byte order is a template argument, so the pixel loop has no
// test of it.
template <bool MM, bool Stream>
inline void unpackgray16(const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                         HistogramCounts& bins) {
  putcolumn0<Stream>(sr);
  for (std::int64_t x = 1; x <= w; ++x) {
    const std::uint8_t* s = b + 2 * (x - 1);
    const std::int32_t v = MM ? s[0] * 256 + s[1] : s[1] * 256 + s[0];
    putgrey<Stream>(sr + 4 * x, v);
    ++bins[static_cast<std::size_t>(v >> 8)];
  }
}

// Grey of one colour pixel: a quarter of the first and third components and half of the
// second (green, which carries most of the luminance), rounded to nearest, halves to even.
inline std::int32_t greyofrgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  // sum = 4q + rest: rests 0 and 1 round down, 3 up, and 2 (a half) up only for an odd q.
  // Adding 1 + (q & 1) before the shift does all four without a branch.
  const int sum = r + 2 * g + b;  // four times the weighted sum, exact
  return (sum + 1 + ((sum >> 2) & 1)) >> 2;
}

// Three interleaved bytes per pixel, turned to one grey value kept in channels 1, 2 and 3;
// bin = grey.
template <bool Stream>
inline void unpackrgb8(const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                       HistogramCounts& bins) {
  putcolumn0<Stream>(sr);
  for (std::int64_t x = 1; x <= w; ++x) {
    const std::uint8_t* px = b + 3 * (x - 1);
    const std::int32_t g = greyofrgb(px[0], px[1], px[2]);
    putgrey3<Stream>(sr + 4 * x, g);
    ++bins[static_cast<std::size_t>(g)];
  }
}

}  // namespace vtr
