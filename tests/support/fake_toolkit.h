// A recording stand-in for the windowing toolkit.
//
// It keeps the state of every control (texts, colours, slider positions, progress, the
// picture's pixels, chart data, message boxes shown) and lets a test script what the event
// pump runs and what the file dialog and message boxes answer. What it does not record it
// leaves to the headless toolkit.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/message_area.h"
#include "ui/headless_toolkit.h"

namespace vtr::test {

struct ShownBox {
  std::string text;
  std::string title;
  Icon icon;
  MsgButtons buttons;
};

class FakeToolkit : public HeadlessToolkit {
 public:
  // --- Toolkit ---
  std::string text(TextBox box) const override;
  void set_text(TextBox box, std::string_view text) override;
  void prepend_text(TextBox box, std::string_view text) override;
  void set_back_colour(Button button, Rgb colour) override;
  int slider_value(Slider slider) const override;
  void set_slider_value(Slider slider, int value) override;
  void set_progress_min(float value) override { progress_min = value; }
  void set_progress_max(float value) override { progress_max = value; }
  void set_progress_value(float value) override;
  bool set_picture_size(int width, int height) override;
  void set_picture_unit_pixels() override { picture_unit_pixels = true; }
  int picture_height() const override { return picture_h; }
  void set_pixel(float x, float y, Rgb colour) override;
  // The rows of `picture`.
  PictureRows picture_rows() override;
  void drawn_rows(int x0, int first, int rows, int count) override;
  void remove_picture() override;
  Bitmap picture_bitmap() const override;
  void set_chart_data(const HistogramCounts& counts) override;
  void set_dialog_default_ext(std::string_view ext) override { dialog_default_ext = ext; }
  void set_dialog_cancel_error(bool on) override { dialog_cancel_error = on; }
  void set_dialog_filter(std::string_view filter) override { dialog_filter = filter; }
  bool show_open() override;
  Answer message_box(std::string_view text, std::string_view title, Icon icon,
                     MsgButtons buttons) override;
  void pump_events() override;
  double clock() override;
  bool clipboard_clear() override;
  Outcome clipboard_set_picture() override;
  Outcome print_main_window() override;
  bool help_window_exists() const override { return help_exists; }
  void create_help_window() override;
  void show_help_window() override { help_visible = true; }
  void hide_help_window() override { help_visible = false; }
  std::string help_text() const override { return help; }
  void set_help_text(std::string_view text) override { help = text; }
  int selected_tab() const override { return tab; }
  std::string print_help_text() override;
  void end_program() override { ended = true; }

  // --- scripting ---
  // Files the dialog answers with, in order; std::nullopt stands for a cancel. With the
  // queue empty the dialog is cancelled.
  std::deque<std::optional<std::string>> dialog_answers;
  // Answers of message boxes, in order; with the queue empty a box answers OK (or No).
  std::deque<Answer> box_answers;
  // Actions run by the event pump: the first pump runs the first action, and so on. An
  // action may be empty (that pump does nothing).
  std::deque<std::function<void()>> pump_actions;
  // Run at every pump after the scripted actions are used up (nullptr: nothing).
  std::function<void()> every_pump;
  // Times the clock returns, in order; then it repeats the last one.
  std::deque<double> clock_times;
  double last_clock = 0;
  // What printing answers: empty for success.
  std::string print_error;
  bool clipboard_works = true;

  // --- recorded state ---
  std::map<Button, Rgb> colours;
  std::map<Button, std::vector<Rgb>> colour_history;
  int slider_min = 0;
  int slider_max = 0;
  float progress_min = 0;
  float progress_max = 100;
  float progress = 0;
  std::vector<float> progress_history;
  bool record_progress = true;
  int picture_w = 0;
  int picture_h = 0;
  bool picture_unit_pixels = false;
  std::vector<std::uint8_t> picture;  // grey level per pixel of the surface (R of RGB)
  std::vector<std::uint32_t> picture_rgb;
  long long pixel_sets = 0;     // pixel-set calls, inside or outside the surface
  long long pixels_landed = 0;  // of those, the ones inside the surface
  HistogramCounts chart{};
  int chart_feeds = 0;
  std::string dialog_default_ext;
  bool dialog_cancel_error = false;
  std::string dialog_filter;
  int dialog_shows = 0;
  std::vector<ShownBox> boxes;
  int pumps = 0;
  std::optional<Bitmap> clipboard;
  int clipboard_clears = 0;
  int prints = 0;
  int help_prints = 0;
  bool help_exists = false;
  int help_creations = 0;
  bool help_visible = false;
  std::string help;
  int tab = kTabHelp;
  bool ended = false;

  // The grey level at surface pixel (x, y).
  int grey_at(int x, int y) const { return picture[static_cast<std::size_t>(y) * picture_w + x]; }

 private:
  void store_pixel(int x, int y, Rgb colour);
  MessageArea text1_;  // the message area's text; the other boxes' the headless toolkit keeps
};

}  // namespace vtr::test
