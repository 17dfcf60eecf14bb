#include "ui/console_toolkit.h"

#include <chrono>
#include <ctime>

#include "core/message_area.h"

namespace vtr {

namespace {
constexpr std::string_view kNoWindow = "no window in a command-line run";
}

std::string ConsoleToolkit::text(TextBox box) const {
  const auto it = texts_.find(box);
  return it == texts_.end() ? std::string() : it->second;
}

void ConsoleToolkit::set_text(TextBox box, std::string_view text) {
  if (box != TextBox::Text1) texts_[box] = std::string(text);
}

void ConsoleToolkit::prepend_text(TextBox box, std::string_view text) {
  if (box != TextBox::Text1) {
    texts_[box].insert(0, text);
    return;
  }
  // Each write to the message area is one line and its CR LF.
  if (text.size() >= kCrLf.size() && text.substr(text.size() - kCrLf.size()) == kCrLf) {
    text.remove_suffix(kCrLf.size());
  }
  line_(text);
}

int ConsoleToolkit::slider_value(Slider slider) const {
  return slider == Slider::image_min ? min_ : max_;
}

void ConsoleToolkit::set_slider_value(Slider slider, int value) {
  (slider == Slider::image_min ? min_ : max_) = value;
}

bool ConsoleToolkit::set_picture_size(int /*width*/, int height) {
  height_ = height;
  return true;
}

Answer ConsoleToolkit::message_box(std::string_view text, std::string_view /*title*/, Icon /*icon*/,
                                   MsgButtons buttons) {
  line_(text);
  return buttons == MsgButtons::yes_no ? Answer::no : Answer::ok;
}

double ConsoleToolkit::clock() {
  // Seconds since local midnight, as the window's clock counts them.
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto sub = now - std::chrono::system_clock::from_time_t(t);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
         std::chrono::duration<double>(sub).count();
}

Outcome ConsoleToolkit::clipboard_set_picture() {
  return {Outcome::Kind::failed, std::string(kNoWindow)};
}

Outcome ConsoleToolkit::print_main_window() {
  return {Outcome::Kind::failed, std::string(kNoWindow)};
}

std::string ConsoleToolkit::print_help_text() {
  return std::string(kNoWindow);
}

}  // namespace vtr
