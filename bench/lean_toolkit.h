// The headless toolkit as the load benchmark uses it: it notes when the paint begins (its
// first call, set_picture_size), and keeps the picture as the window does, one grey byte a
// pixel that the paint writes row by row; a new size makes a new picture, its memory had from
// the system as it is written, nothing filled beforehand.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>

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
    grey_ = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(width_) *
                                                           picture_height());
    return true;
  }

  PictureRows picture_rows() override {
    return PictureRows{grey_.get(), width_, picture_height(), width_};
  }

 private:
  int width_ = 0;
  std::unique_ptr<std::uint8_t[]> grey_;  // width_ x picture_height(), top row first
};

}  // namespace vtr::bench
