#include "fuzz/fuzz_toolkit.h"

#include <cmath>
#include <cstdlib>

namespace vtr::fuzz {

namespace {
// The message area of one run stays far below this; more means a line is written in a loop.
constexpr std::size_t kMaxMessageText = 64u << 20;
}  // namespace

std::string FuzzToolkit::text(TextBox box) const {
  return texts_[index(box)];
}

void FuzzToolkit::set_text(TextBox box, std::string_view text) {
  // The message area is the only box that grows; the logic never reads it back whole.
  if (box == TextBox::Text1) {
    checksum += text.size();
    return;
  }
  texts_[index(box)] = text;
}

void FuzzToolkit::prepend_text(TextBox box, std::string_view text) {
  if (box == TextBox::Text1) {
    message_bytes_ += text.size();
    if (message_bytes_ > kMaxMessageText) std::abort();
    return;
  }
  texts_[index(box)].insert(0, text);
}

void FuzzToolkit::set_progress_value(float value) {
  // The bar's range is 0..1: a value outside it, or no number, is a fault of the caller.
  if (!(value >= 0.0f && value <= 1.0f)) std::abort();
}

bool FuzzToolkit::set_picture_size(int width, int height) {
  if (width < 0 || height < 0) std::abort();
  picture_w_ = width;
  picture_h_ = height;
  return true;
}

void FuzzToolkit::set_pixel(float x, float y, Rgb colour) {
  if (std::isnan(x) || std::isnan(y)) std::abort();
  add_to_checksum(colour);
}

void FuzzToolkit::set_grey_row(int x0, int y, const std::uint8_t* grey, int count) {
  checksum += static_cast<std::uint64_t>(x0) + static_cast<std::uint64_t>(y);
  for (int i = 0; i < count; ++i) checksum += grey[i];
}

Bitmap FuzzToolkit::picture_bitmap() const {
  Bitmap b;
  b.width = picture_w_;
  b.height = picture_h_;
  return b;
}

void FuzzToolkit::set_chart_data(const HistogramCounts& counts) {
  for (auto c : counts) checksum += static_cast<std::uint32_t>(c);
}

Answer FuzzToolkit::message_box(std::string_view text, std::string_view, Icon, MsgButtons buttons) {
  checksum += text.size();
  return buttons == MsgButtons::yes_no ? Answer::no : Answer::ok;
}

}  // namespace vtr::fuzz
