// The headless toolkit as the load benchmark uses it: it notes when the paint begins (its
// first call, set_picture_size), and keeps the picture as the cheapest surface would, one
// grey byte a pixel, each row copied in with one clip; a new size makes a new picture, all
// background.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ui/headless_toolkit.h"

namespace vtr::bench {

using Clock = std::chrono::steady_clock;

class LeanToolkit : public HeadlessToolkit {
 public:
  // When the last paint began.
  Clock::time_point paint_started{};

  bool set_picture_size(int width, int height) override {
    paint_started = Clock::now();
    if (std::max(width, 0) == width_ && std::max(height, 0) == picture_height()) return true;
    HeadlessToolkit::set_picture_size(width, height);
    width_ = std::max(width, 0);
    grey_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(picture_height()), 0);
    return true;
  }

  void set_grey_row(int x0, int y, const std::uint8_t* grey, int count) override {
    if (y < 0 || y >= picture_height()) return;
    const int first = std::max(x0, 0);
    const int last =
        static_cast<int>(std::min<long long>(static_cast<long long>(x0) + count, width_));
    if (first >= last) return;
    std::memcpy(grey_.data() + static_cast<std::size_t>(y) * width_ + first, grey + (first - x0),
                static_cast<std::size_t>(last - first));
  }

 private:
  int width_ = 0;
  std::vector<std::uint8_t> grey_;  // width_ x picture_height(), top row first
};

}  // namespace vtr::bench
