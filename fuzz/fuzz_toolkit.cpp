#include "fuzz/fuzz_toolkit.h"

#include <cstdlib>

namespace vtr::fuzz {

namespace {
// The message area of one run stays far below this; more means a line is written in a loop.
constexpr std::size_t kMaxMessageText = 64u << 20;
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
  return HeadlessToolkit::set_picture_size(width, height);
}

void FuzzToolkit::set_grey_row(int /*x0*/, int /*y*/, const std::uint8_t* grey, int count) {
  for (int i = 0; i < count; ++i) grey_sum_ += grey[i];
}

}  // namespace vtr::fuzz
