// The toolkit of a run without windows: the commands of the command line run the window's
// logic over it. It keeps the texts and slider positions, hands on every line written to
// the message area in the order written, and draws nothing.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/toolkit.h"

namespace vtr {

class ConsoleToolkit final : public Toolkit {
 public:
  // `line` receives each message line as it is written (without its CR LF) and each message
  // box's text.
  explicit ConsoleToolkit(std::function<void(std::string_view)> line) : line_(std::move(line)) {}

  std::string text(TextBox box) const override;
  void set_text(TextBox box, std::string_view text) override;
  void prepend_text(TextBox box, std::string_view text) override;
  void set_back_colour(Button, Rgb) override {}
  int slider_value(Slider slider) const override;
  void set_slider_value(Slider slider, int value) override;
  void set_progress_min(float) override {}
  void set_progress_max(float) override {}
  void set_progress_value(float) override {}
  bool set_picture_size(int width, int height) override;
  void set_picture_unit_pixels() override {}
  int picture_height() const override { return height_; }
  void set_pixel(float, float, Rgb) override {}
  void set_grey_row(int, int, const std::uint8_t*, int) override {}
  void remove_picture() override {}
  Bitmap picture_bitmap() const override { return {}; }
  void set_chart_data(const HistogramCounts&) override {}
  void set_dialog_default_ext(std::string_view) override {}
  void set_dialog_cancel_error(bool) override {}
  void set_dialog_filter(std::string_view) override {}
  bool show_open() override { return false; }  // no dialog without a window
  std::string dialog_file_name() const override { return {}; }
  Answer message_box(std::string_view text, std::string_view title, Icon icon,
                     MsgButtons buttons) override;
  void pump_events() override {}
  double clock() override;
  bool clipboard_clear() override { return false; }
  Outcome clipboard_set_picture() override;
  Outcome print_main_window() override;
  bool help_window_exists() const override { return false; }
  void create_help_window() override {}
  void show_help_window() override {}
  void hide_help_window() override {}
  std::string help_text() const override { return {}; }
  void set_help_text(std::string_view) override {}
  int selected_tab() const override { return 0; }
  std::string print_help_text() override;
  void end_program() override {}

 private:
  std::function<void(std::string_view)> line_;
  std::map<TextBox, std::string> texts_;
  int min_ = 0;
  int max_ = 255;
  int height_ = 0;
};

}  // namespace vtr
