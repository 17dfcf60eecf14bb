#include "ui/headless_toolkit.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "core/message_area.h"

namespace vtr {

namespace {

constexpr std::string_view kNoWindow = "no window in a command-line run";

std::size_t index(TextBox box) {
  return static_cast<std::size_t>(box);
}

}  // namespace

std::string HeadlessToolkit::text(TextBox box) const {
  return box == TextBox::Text1 ? std::string() : texts_[index(box)];
}

void HeadlessToolkit::set_text(TextBox box, std::string_view text) {
  if (box != TextBox::Text1) texts_[index(box)] = text;
}

void HeadlessToolkit::prepend_text(TextBox box, std::string_view text) {
  if (box != TextBox::Text1) {
    texts_[index(box)].insert(0, text);
    return;
  }
  // Each write to the message area is one line and its CR LF.
  if (text.size() >= kCrLf.size() && text.substr(text.size() - kCrLf.size()) == kCrLf) {
    text.remove_suffix(kCrLf.size());
  }
  if (line_) line_(text);
}

int HeadlessToolkit::slider_value(Slider slider) const {
  return slider == Slider::image_min ? min_ : max_;
}

void HeadlessToolkit::set_slider_value(Slider slider, int value) {
  (slider == Slider::image_min ? min_ : max_) = value;
}

bool HeadlessToolkit::set_picture_size(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  return true;
}

Bitmap HeadlessToolkit::picture_bitmap() const {
  return Bitmap{width_, height_,
                std::vector<std::uint32_t>(static_cast<std::size_t>(width_) * height_, 0)};
}

Answer HeadlessToolkit::message_box(std::string_view text, std::string_view /*title*/,
                                    Icon /*icon*/, MsgButtons buttons) {
  if (line_) line_(text);
  return buttons == MsgButtons::yes_no ? Answer::no : Answer::ok;
}

double HeadlessToolkit::clock() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto sub = now - std::chrono::system_clock::from_time_t(t);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
         std::chrono::duration<double>(sub).count();
}

Outcome HeadlessToolkit::clipboard_set_picture() {
  return {Outcome::Kind::failed, std::string(kNoWindow)};
}

Outcome HeadlessToolkit::print_main_window() {
  return {Outcome::Kind::failed, std::string(kNoWindow)};
}

std::string HeadlessToolkit::print_help_text() {
  return std::string(kNoWindow);
}

}  // namespace vtr
