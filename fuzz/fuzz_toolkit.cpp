#include "fuzz/fuzz_toolkit.h"

#include <cstdlib>

namespace vtr::fuzz {

namespace {
// The message area of one run stays far below this; more means a line is written in a loop.
constexpr std::size_t kMaxMessageText = 64u << 20;
// A larger picture (an image declared huge in a small file) gets no rows to write to.
constexpr std::size_t kMaxPicture = 64u << 20;
}  // namespace

void FuzzToolkit::prepend_text(TextBox box, std::string_view text) {
  if (box == TextBox::Text1) {
    message_bytes_ += text.size();
    if (message_bytes_ > kMaxMessageText) std::abort();
  }
  HeadlessToolkit::prepend_text(box, text);
}

void FuzzToolkit::set_progress_value(float value) {
  // The bar's range is 0..1: a value outside it, or no number, is a fault of the caller.
  if (!(value >= 0.0f && value <= 1.0f)) std::abort();
}

bool FuzzToolkit::set_picture_size(int width, int height) {
  if (width < 0 || height < 0) std::abort();
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  width_ = width;
  grey_.assign(bytes <= kMaxPicture ? bytes : 0, 0);
  grey_.shrink_to_fit();
  return HeadlessToolkit::set_picture_size(width, height);
}

PictureRows FuzzToolkit::picture_rows() {
  if (grey_.empty()) return {};
  return PictureRows{grey_.data(), width_, picture_height(), width_};
}

void FuzzToolkit::drawn_rows(int /*x0*/, int /*first*/, int rows, int count) {
  if (rows < 0 || count < 0) std::abort();
}

}  // namespace vtr::fuzz
