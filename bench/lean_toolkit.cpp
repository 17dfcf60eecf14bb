#include "bench/lean_toolkit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vtr::bench {

bool LeanToolkit::set_picture_size(int w, int h) {
  paint_started = Clock::now();
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == width && h == height) return true;
  // What was drawn stays where it still fits; new area is background (0).
  std::vector<std::uint8_t> next(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  const int keepw = std::min(w, width);
  for (int y = 0; y < std::min(h, height); ++y) {
    std::memcpy(next.data() + static_cast<std::size_t>(y) * w,
                grey.data() + static_cast<std::size_t>(y) * width, static_cast<std::size_t>(keepw));
  }
  grey = std::move(next);
  width = w;
  height = h;
  return true;
}

void LeanToolkit::set_pixel(float x, float y, Rgb colour) {
  if (!(x >= 0 && y >= 0 && x < static_cast<float>(width) && y < static_cast<float>(height))) {
    return;
  }
  const auto ix = static_cast<std::size_t>(x);
  const auto iy = static_cast<std::size_t>(y);
  grey[iy * static_cast<std::size_t>(width) + ix] = colour.g;
}

void LeanToolkit::set_grey_row(int x0, int y, const std::uint8_t* row, int count) {
  if (y < 0 || y >= height || count <= 0) return;
  const long long first = std::max<long long>(x0, 0);
  const long long last = std::min<long long>(static_cast<long long>(x0) + count, width);
  if (first >= last) return;
  std::memcpy(grey.data() + static_cast<std::size_t>(y) * width + first, row + (first - x0),
              static_cast<std::size_t>(last - first));
}

void LeanToolkit::remove_picture() {
  std::fill(grey.begin(), grey.end(), 0);
}

Bitmap LeanToolkit::picture_bitmap() const {
  Bitmap b;
  b.width = width;
  b.height = height;
  b.pixels.reserve(grey.size());
  for (std::uint8_t g : grey) b.pixels.push_back(0x010101u * g);
  return b;
}

double LeanToolkit::clock() {
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

}  // namespace vtr::bench
