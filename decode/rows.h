// The four row layouts: how the bytes of one file row become stored values and histogram
// counts. `b` points at the row's first byte, `sr` at the store's element (0, 0, row), whose
// pixel x, channel c is sr[4 * x + c]; columns 1..w are written.
#pragma once

#include <cstdint>

#include "ui/toolkit.h"

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
inline void unpackgray8(const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                        HistogramCounts& bins) {
  for (std::int64_t x = 1; x <= w; ++x) {
    const std::uint8_t v = b[x - 1];
    sr[4 * x + 1] = v;
    ++bins[v];
  }
}

// 12-bit samples as a bit stream, most significant bits first: two pixels in three bytes;
// an odd last pixel takes one byte and the high half of the next. bin = value / 16.
inline void unpackgray12(const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                         HistogramCounts& bins) {
  for (std::int64_t x = 1; x <= w; ++x) {
    const std::uint8_t* pair = b + 3 * ((x - 1) / 2);
    const std::int32_t v =
        (x % 2 == 1) ? pair[0] * 16 + pair[1] / 16 : (pair[1] % 16) * 256 + pair[2];
    sr[4 * x + 1] = v;
    ++bins[static_cast<std::size_t>(v >> 4)];
  }
}

// Two bytes per pixel in the file's byte order; bin = value / 256.
inline void unpackgray16(const std::uint8_t* b, std::int32_t* sr, std::int64_t w, bool mm,
                         HistogramCounts& bins) {
  const int hi = mm ? 0 : 1;
  for (std::int64_t x = 1; x <= w; ++x) {
    const std::uint8_t* s = b + 2 * (x - 1);
    const std::int32_t v = s[hi] * 256 + s[1 - hi];
    sr[4 * x + 1] = v;
    ++bins[static_cast<std::size_t>(v >> 8)];
  }
}

// Grey of one colour pixel: a quarter of the first and third components and half of the
// second (green, which carries most of the luminance), rounded to nearest, halves to even.
inline std::int32_t greyofrgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const int sum = r + 2 * g + b;  // four times the weighted sum, exact
  int q = sum >> 2;
  const int rest = sum & 3;
  if (rest == 3 || (rest == 2 && (q & 1) != 0)) ++q;
  return q;
}

// Three interleaved bytes per pixel, turned to one grey value kept in channels 1, 2 and 3;
// bin = grey.
inline void unpackrgb8(const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                       HistogramCounts& bins) {
  for (std::int64_t x = 1; x <= w; ++x) {
    const std::uint8_t* px = b + 3 * (x - 1);
    const std::int32_t g = greyofrgb(px[0], px[1], px[2]);
    sr[4 * x + 1] = g;
    sr[4 * x + 2] = g;
    sr[4 * x + 3] = g;
    ++bins[static_cast<std::size_t>(g)];
  }
}

}  // namespace vtr
