// Sample images of the supported kinds: their values, the values the store must hold for
// them, and their rows and whole files as a writer would lay them out.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/support/tiff_builder.h"

namespace vtr::test {

// A sample image: `samples` holds W x L values (RGB: 3 per pixel), row after row.
struct SampleImage {
  int width = 0;
  int length = 0;
  int bits = 8;
  int photometric = 1;
  bool mm = false;
  std::vector<std::uint16_t> samples;

  int perpixel() const { return photometric == 2 ? 3 : 1; }
  int maxvalue() const { return (1 << bits) - 1; }
  std::uint16_t sample(int x, int y, int c = 0) const {  // x, y from 1
    return samples[(static_cast<std::size_t>(y - 1) * width + (x - 1)) * perpixel() + c];
  }
  // The value the store must hold at channel 1 for pixel (x, y).
  std::int32_t expected(int x, int y) const {
    if (photometric != 2) return sample(x, y);
    const double g = 0.25 * sample(x, y, 0) + 0.5 * sample(x, y, 1) + 0.25 * sample(x, y, 2);
    return static_cast<std::int32_t>(std::nearbyint(g));  // halves to even
  }
  int divisor() const { return photometric == 2 ? 1 : (bits == 8 ? 1 : bits == 12 ? 16 : 256); }
  // The file bytes of rows [first, first + count).
  Bytes rows(int first, int count) const {
    const std::size_t pp = static_cast<std::size_t>(perpixel());
    std::vector<std::uint16_t> part(
        samples.begin() + static_cast<std::ptrdiff_t>(first * width * pp),
        samples.begin() + static_cast<std::ptrdiff_t>((first + count) * width * pp));
    if (bits == 16) return pack16(part, mm);
    if (bits == 12) return pack12(part, width);
    return Bytes(part.begin(), part.end());
  }
  // The whole file of this image, `rowsperstrip` rows a strip (0: one strip).
  Bytes tiff_file(int rowsperstrip = 0) const {
    return image(StripImage{mm, width, length, bits, photometric, rowsperstrip, rows(0, length)});
  }
};

// Deterministic values that reach 0 and the top of the range.
inline SampleImage makeimage(int bits, int photometric, bool mm, int width, int length) {
  SampleImage im{width, length, bits, photometric, mm, {}};
  const std::size_t n = static_cast<std::size_t>(width) * length * im.perpixel();
  std::uint32_t state = 12345u + static_cast<std::uint32_t>(bits * 7 + width * 31 + length);
  for (std::size_t i = 0; i < n; ++i) {
    state = state * 1103515245u + 12345u;
    std::uint32_t v = (state >> 8) % static_cast<std::uint32_t>(im.maxvalue() + 1);
    if (i == 0) v = static_cast<std::uint32_t>(im.maxvalue());
    if (i == 1) v = 0;
    im.samples.push_back(static_cast<std::uint16_t>(v));
  }
  return im;
}

// A small good 8-bit image, loaded before a file under test to see what that file leaves.
inline Bytes good_image() {
  StripImage s;
  s.width = 6;
  s.length = 4;
  s.rowsperstrip = 3;
  for (int i = 0; i < s.width * s.length; ++i)
    s.pixels.push_back(static_cast<std::uint8_t>(i * 11 + 7));
  return image(s);
}

}  // namespace vtr::test
