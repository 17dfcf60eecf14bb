// The toolkit of a run without windows.
//
// It keeps what the logic reads back: the texts of the boxes other than the message area
// (whose text the App keeps), the help text, the slider positions, the picture's size and
// the file the dialog answers with. Everything else does nothing: it draws nothing, feeds no
// chart, shows no dialog, pumps no events, and has no clipboard, printer or help window.
// Each line written to the message area and each message box's text go to a line sink when
// one is given.
//
// The command line runs the window's commands over it. Harnesses that run the logic without
// a window (the unit tests' recorder, the fuzz targets, the benchmarks) derive from it and
// override only what they record or check.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "core/toolkit.h"

namespace vtr {

class HeadlessToolkit : public Toolkit {
 public:
  // `line` receives each message line as it is written (without its CR LF) and each message
  // box's text; without one they are dropped.
  explicit HeadlessToolkit(std::function<void(std::string_view)> line = {})
      : line_(std::move(line)) {}

  // The file the dialog answers with from now on; empty (the start): the dialog is cancelled.
  void set_dialog_answer(std::string path) { dialog_answer_ = std::move(path); }

  // Kept, except the message area's: that answers empty, its lines go to the sink.
  std::string text(TextBox box) const override;
  void set_text(TextBox box, std::string_view text) override;
  void prepend_text(TextBox box, std::string_view text) override;
  void set_back_colour(Button, Rgb) override {}
  // Kept; minimum 0 and maximum 255 at the start.
  int slider_value(Slider slider) const override;
  void set_slider_value(Slider slider, int value) override;
  void set_progress_min(float) override {}
  void set_progress_max(float) override {}
  void set_progress_value(float) override {}
  // The size is kept (negative sizes as 0) and always had: nothing is drawn.
  bool set_picture_size(int width, int height) override;
  void set_picture_unit_pixels() override {}
  int picture_height() const override { return height_; }
  void set_pixel(float, float, Rgb) override {}
  // No rows to write to: the paint computes nothing.
  PictureRows picture_rows() override { return {}; }
  void drawn_rows(int, int, int, int) override {}
  void remove_picture() override {}
  // A picture of the kept size, all background (0).
  Bitmap picture_bitmap() const override;
  void set_chart_data(const HistogramCounts&) override {}
  void set_dialog_default_ext(std::string_view) override {}
  void set_dialog_cancel_error(bool) override {}
  void set_dialog_filter(std::string_view) override {}
  // True when there is a dialog answer (set_dialog_answer).
  bool show_open() override { return !dialog_answer_.empty(); }
  std::string dialog_file_name() const override { return dialog_answer_; }
  // The text goes to the sink; answers OK, or No to a Yes/No question.
  Answer message_box(std::string_view text, std::string_view title, Icon icon,
                     MsgButtons buttons) override;
  void pump_events() override {}
  // Seconds since local midnight, as the window's clock counts them.
  double clock() override;
  // No clipboard, no printer, no help window: each refuses with the reason "no window in a
  // command-line run"; the help text is kept.
  bool clipboard_clear() override { return false; }
  Outcome clipboard_set_picture() override;
  Outcome print_main_window() override;
  bool help_window_exists() const override { return false; }
  void create_help_window() override {}
  void show_help_window() override {}
  void hide_help_window() override {}
  std::string help_text() const override { return help_; }
  void set_help_text(std::string_view text) override { help_ = text; }
  int selected_tab() const override { return 0; }
  std::string print_help_text() override;
  void end_program() override {}

 private:
  std::function<void(std::string_view)> line_;
  std::array<std::string, kTextBoxCount> texts_{};
  std::string help_;
  std::string dialog_answer_;
  int min_ = 0;
  int max_ = 255;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vtr
