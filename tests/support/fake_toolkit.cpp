#include "tests/support/fake_toolkit.h"

#include <cmath>

namespace vtr::test {

std::string FakeToolkit::text(TextBox box) const {
  return box == TextBox::Text1 ? text1_.text() : HeadlessToolkit::text(box);
}

void FakeToolkit::set_text(TextBox box, std::string_view text) {
  box == TextBox::Text1 ? text1_.replace(text) : HeadlessToolkit::set_text(box, text);
}

void FakeToolkit::prepend_text(TextBox box, std::string_view text) {
  box == TextBox::Text1 ? text1_.prepend(text) : HeadlessToolkit::prepend_text(box, text);
}

void FakeToolkit::set_back_colour(Button button, Rgb colour) {
  colours[button] = colour;
  colour_history[button].push_back(colour);
}

int FakeToolkit::slider_value(Slider slider) const {
  return slider == Slider::image_min ? slider_min : slider_max;
}

void FakeToolkit::set_slider_value(Slider slider, int value) {
  (slider == Slider::image_min ? slider_min : slider_max) = value;
}

void FakeToolkit::set_progress_value(float value) {
  progress = value;
  if (record_progress) progress_history.push_back(value);
}

bool FakeToolkit::set_picture_size(int width, int height) {
  // The surface keeps what it showed where it still reaches; new area is background.
  std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * height, 0);
  std::vector<std::uint32_t> rgb(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < std::min(height, picture_h); ++y) {
    for (int x = 0; x < std::min(width, picture_w); ++x) {
      grey[static_cast<std::size_t>(y) * width + x] =
          picture[static_cast<std::size_t>(y) * picture_w + x];
      rgb[static_cast<std::size_t>(y) * width + x] =
          picture_rgb[static_cast<std::size_t>(y) * picture_w + x];
    }
  }
  picture = std::move(grey);
  picture_rgb = std::move(rgb);
  picture_w = width;
  picture_h = height;
  return true;
}

void FakeToolkit::store_pixel(int x, int y, Rgb colour) {
  ++pixel_sets;
  if (x < 0 || y < 0 || x >= picture_w || y >= picture_h) return;
  ++pixels_landed;
  std::size_t i = static_cast<std::size_t>(y) * picture_w + x;
  picture[i] = colour.r;
  picture_rgb[i] = (std::uint32_t{colour.r} << 16) | (std::uint32_t{colour.g} << 8) | colour.b;
}

void FakeToolkit::set_pixel(float x, float y, Rgb colour) {
  store_pixel(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), colour);
}

PictureRows FakeToolkit::picture_rows() {
  if (picture.empty()) return {};
  return PictureRows{picture.data(), picture_w, picture_h, picture_w};
}

void FakeToolkit::drawn_rows(int x0, int first, int rows, int count) {
  for (int y = first; y < first + rows; ++y) {
    for (int x = x0; x < x0 + count; ++x) {
      const bool inside = x >= 0 && y >= 0 && x < picture_w && y < picture_h;
      const std::uint8_t g = inside ? picture[static_cast<std::size_t>(y) * picture_w + x] : 0;
      store_pixel(x, y, Rgb{g, g, g});
    }
  }
}

void FakeToolkit::remove_picture() {
  std::fill(picture.begin(), picture.end(), 0);
  std::fill(picture_rgb.begin(), picture_rgb.end(), 0);
}

Bitmap FakeToolkit::picture_bitmap() const {
  return Bitmap{picture_w, picture_h, picture_rgb};
}

void FakeToolkit::set_chart_data(const HistogramCounts& counts) {
  chart = counts;
  ++chart_feeds;
}

bool FakeToolkit::show_open() {
  ++dialog_shows;
  if (dialog_answers.empty()) return false;
  std::optional<std::string> answer = dialog_answers.front();
  dialog_answers.pop_front();
  if (!answer) return false;
  set_dialog_answer(*answer);
  return true;
}

Answer FakeToolkit::message_box(std::string_view text, std::string_view title, Icon icon,
                                MsgButtons buttons) {
  boxes.push_back(ShownBox{std::string(text), std::string(title), icon, buttons});
  if (!box_answers.empty()) {
    Answer a = box_answers.front();
    box_answers.pop_front();
    return a;
  }
  return buttons == MsgButtons::ok ? Answer::ok : Answer::no;
}

void FakeToolkit::pump_events() {
  ++pumps;
  if (!pump_actions.empty()) {
    std::function<void()> action = std::move(pump_actions.front());
    pump_actions.pop_front();
    if (action) action();
    return;
  }
  if (every_pump) every_pump();
}

double FakeToolkit::clock() {
  if (!clock_times.empty()) {
    last_clock = clock_times.front();
    clock_times.pop_front();
  }
  return last_clock;
}

bool FakeToolkit::clipboard_clear() {
  ++clipboard_clears;
  if (!clipboard_works) return false;
  clipboard.reset();
  return true;
}

Outcome FakeToolkit::clipboard_set_picture() {
  if (!clipboard_works) return {Outcome::Kind::failed, {}};
  clipboard = picture_bitmap();
  return {};
}

Outcome FakeToolkit::print_main_window() {
  if (!print_error.empty()) return {Outcome::Kind::failed, print_error};
  ++prints;
  return {};
}

void FakeToolkit::create_help_window() {
  help_exists = true;
  ++help_creations;
  tab = kTabHelp;
}

std::string FakeToolkit::print_help_text() {
  if (print_error.empty()) ++help_prints;
  return print_error;
}

}  // namespace vtr::test
