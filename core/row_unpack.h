// The four row layouts: how the bytes of one file row become stored values and histogram
// counts. `b` points at the row's first byte, `sr` at the store's row (its column 1), of the
// store's own value type; columns 1..w are written. Each touches only its row of bytes, its
// row of the store and the counts it is given.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/histogram_counts.h"
#include "core/pixel_store.h"

namespace vtr {

// One row's unpacking as a pixel kind names it: `bytes` is the file row (for a row read into
// the store as it is, the stored row itself); it writes columns 1..W of `row` of the store and
// counts each pixel into `bins`.
using UnpackRow = void (*)(const std::uint8_t* bytes, PixelStore& store, std::int64_t row,
                           HistogramCounts& bins);

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

// Counts of one row. A wide row is counted in four tables, one for each of four pixels in
// turn, so that neighbouring pixels of the same bin do not wait on each other's count, and
// the tables are added into the histogram at the end of the row; a narrow row, where that
// addition would cost more than it saves, is counted straight into the histogram.
class RowCounts {
 public:
  RowCounts(HistogramCounts& bins, std::int64_t width) : bins_(bins), wide_(width >= kWide) {
    if (wide_) std::memset(part_, 0, sizeof part_);
  }
  RowCounts(const RowCounts&) = delete;
  RowCounts& operator=(const RowCounts&) = delete;
  ~RowCounts() {
    if (!wide_) return;
    for (std::size_t i = 0; i < 256; ++i) {
      bins_[i] += static_cast<std::int32_t>(part_[0][i] + part_[1][i] + part_[2][i] + part_[3][i]);
    }
  }
  void count(std::int64_t x, std::size_t bin) {
    if (wide_) {
      ++part_[static_cast<std::size_t>(x) & 3][bin];
    } else {
      ++bins_[bin];
    }
  }

 private:
  static constexpr std::int64_t kWide = 1024;
  HistogramCounts& bins_;
  bool wide_;
  std::uint32_t part_[4][256];
};

// One byte per pixel, stored as it is; bin = value.
inline void unpackgray8(const std::uint8_t* b, std::uint8_t* sr, std::int64_t w,
                        HistogramCounts& bins) {
  std::memcpy(sr, b, static_cast<std::size_t>(w));
  RowCounts counts(bins, w);
  for (std::int64_t x = 0; x < w; ++x) counts.count(x, b[x]);
}

// 12-bit samples as a bit stream, most significant bits first: two pixels in three bytes;
// an odd last pixel takes one byte and the high half of the next. bin = value / 16.
inline void unpackgray12(const std::uint8_t* b, std::uint16_t* sr, std::int64_t w,
                         HistogramCounts& bins) {
  RowCounts counts(bins, w);
  const std::uint8_t* pair = b;
  std::int64_t x = 0;
  for (; x + 1 < w; x += 2, pair += 3) {
    const auto first = static_cast<std::uint16_t>(pair[0] * 16 + (pair[1] >> 4));
    const auto second = static_cast<std::uint16_t>((pair[1] & 0x0F) * 256 + pair[2]);
    sr[x] = first;
    sr[x + 1] = second;
    counts.count(x, first >> 4);
    counts.count(x + 1, second >> 4);
  }
  if (x < w) {
    const auto last = static_cast<std::uint16_t>(pair[0] * 16 + (pair[1] >> 4));
    sr[x] = last;
    counts.count(x, last >> 4);
  }
}

// Two bytes per pixel, most significant first when `MM` ("MM" files), else least significant
// first; bin = value / 256. The byte order is a template argument, so the pixel loop has no
// test of it.
template <bool MM>
inline void unpackgray16(const std::uint8_t* b, std::uint16_t* sr, std::int64_t w,
                         HistogramCounts& bins) {
  RowCounts counts(bins, w);
  for (std::int64_t x = 0; x < w; ++x) {
    const std::uint8_t* s = b + 2 * x;
    const auto v = static_cast<std::uint16_t>(MM ? s[0] * 256 + s[1] : s[1] * 256 + s[0]);
    sr[x] = v;
    counts.count(x, v >> 8);
  }
}

// Grey of one colour pixel: a quarter of the first and third components and half of the
// second (green, which carries most of the luminance), rounded to nearest, halves to even.
inline std::uint8_t greyofrgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  // sum = 4q + rest: rests 0 and 1 round down, 3 up, and 2 (a half) up only for an odd q.
  // Adding 1 + (q & 1) before the shift does all four without a branch.
  const int sum = r + 2 * g + b;  // four times the weighted sum, exact
  return static_cast<std::uint8_t>((sum + 1 + ((sum >> 2) & 1)) >> 2);
}

// Three interleaved bytes per pixel, turned to one grey value; bin = grey.
inline void unpackrgb8(const std::uint8_t* b, std::uint8_t* sr, std::int64_t w,
                       HistogramCounts& bins) {
  RowCounts counts(bins, w);
  for (std::int64_t x = 0; x < w; ++x) {
    const std::uint8_t* px = b + 3 * x;
    const std::uint8_t g = greyofrgb(px[0], px[1], px[2]);
    sr[x] = g;
    counts.count(x, g);
  }
}

// A layout's unpacking bound to the store's row of value type T.
template <class T, void (*Unpack)(const std::uint8_t*, T*, std::int64_t, HistogramCounts&)>
void unpack_into_store(const std::uint8_t* bytes, PixelStore& store, std::int64_t row,
                       HistogramCounts& bins) {
  Unpack(bytes, store.row<T>(row), store.width(), bins);
}

}  // namespace vtr
