// The windowing toolkit over the real Qt widgets of the two windows.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/toolkit.h"

class QFileDialog;

namespace vtr::qt {

class Form1Controls;
class Form2;

// A message box as it was asked for.
struct BoxRequest {
  std::string text;
  std::string title;
  Icon icon;
  MsgButtons buttons;
};

// What an image the binding makes is for.
enum class ImageUse {
  picture,    // the picture surface at a new size
  clipboard,  // the copy of the picture put on the clipboard
  window,     // the image of the main window that is printed
};

// The message area's text is the App's record (App::messages), which the logic writes before
// it calls set_text or prepend_text for Text1: those only show what the record holds.
class QtToolkit : public Toolkit {
 public:
  // The binding of the controls of one main window; the help window is its own.
  explicit QtToolkit(Form1Controls& controls);
  ~QtToolkit() override;

  std::string text(TextBox box) const override;
  void set_text(TextBox box, std::string_view text) override;
  void prepend_text(TextBox box, std::string_view text) override;
  void set_back_colour(Button button, Rgb colour) override;
  int slider_value(Slider slider) const override;
  void set_slider_value(Slider slider, int value) override;
  void set_progress_min(float value) override;
  void set_progress_max(float value) override;
  void set_progress_value(float value) override;
  bool set_picture_size(int width, int height) override;
  void set_picture_unit_pixels() override {}
  int picture_height() const override;
  void set_pixel(float x, float y, Rgb colour) override;
  PictureRows picture_rows() override;
  void drawn_rows(int x0, int first, int rows, int count) override;
  void remove_picture() override;
  void show_picture_origin() override;
  Bitmap picture_bitmap() const override;
  void set_chart_data(const HistogramCounts& counts) override;
  void set_dialog_default_ext(std::string_view ext) override { default_ext_ = ext; }
  void set_dialog_cancel_error(bool on) override { cancel_error_ = on; }
  void set_dialog_filter(std::string_view filter) override { filter_ = filter; }
  bool show_open() override;
  std::string dialog_file_name() const override { return file_name_; }
  Answer message_box(std::string_view text, std::string_view title, Icon icon,
                     MsgButtons buttons) override;
  void pump_events() override;
  double clock() override;
  bool clipboard_clear() override;
  Outcome clipboard_set_picture() override;
  Outcome print_main_window() override;
  bool help_window_exists() const override;
  void create_help_window() override;
  void show_help_window() override;
  void hide_help_window() override;
  std::string help_text() const override;
  void set_help_text(std::string_view text) override;
  int selected_tab() const override;
  std::string print_help_text() override;
  void end_program() override;

  // The help window, once the logic has created it.
  Form2* help_window() const { return help_.get(); }
  // Runs on every tab pick of the help window.
  void set_help_tab_handler(std::function<void()> handler) { on_help_tab_ = std::move(handler); }
  // The colour last given to each button.
  Rgb back_colour(Button button) const { return colours_[static_cast<std::size_t>(button)]; }
  // The file dialog's filter in Qt's form, built from the logic's "text|pattern|..." form.
  QString qt_filter() const;
  // The file-open dialog as show_open shows it, set up with the logic's settings. It is one
  // dialog for the whole run, so it opens where it was left (folder, view, filter, history);
  // none of that is kept after the run (see keep_dialog_state_for_the_run).
  QFileDialog& open_dialog();
  // True while window events run inside a task: in an event pump, a dialog or a message box.
  bool running_task_events() const { return task_event_runs_ > 0; }
  // The main window as print puts it on the page; a null image when the memory for it
  // cannot be had.
  QImage window_image();

 protected:
  // Shows the file-open dialog: the path chosen, or std::nullopt for a cancel.
  virtual std::optional<std::string> ask_open_file();
  // Shows a message box and waits for its answer.
  virtual Answer ask_box(const BoxRequest& request);
  // Runs at the end of every event pump, after the pending events ran (if the pump ran them).
  virtual void after_pump() {}
  // Makes an image of `size` in `format` for `use` (the picture's grey levels are
  // Format_Grayscale8, the others Format_RGB32); a null image when the memory cannot be had.
  virtual QImage make_image(QSize size, QImage::Format format, ImageUse use);

 private:
  Form1Controls& c_;
  std::unique_ptr<Form2> help_;
  std::function<void()> on_help_tab_;
  std::array<Rgb, kButtonCount> colours_{};
  float progress_min_ = 0;
  float progress_max_ = 100;
  float progress_value_ = 0;
  QElapsedTimer since_pass_;  // since the last pass of the event pump over the window's events
  void show_progress();
  int task_event_runs_ = 0;
  std::string default_ext_;
  bool cancel_error_ = false;
  std::string filter_;
  std::string file_name_;
  std::unique_ptr<QFileDialog> dialog_;
};

// Qt's file dialog reads its last folder, history and view from the user's Qt settings file
// (~/.config/QtProject.conf) when it is made and writes them back when it goes. This points
// the program's user settings where no file can be read or made, so the program reads none of
// another program's dialog state and writes none: the state lives in the dialog, for the run.
void keep_dialog_state_for_the_run();

// Converts a "text|pattern;pattern|text|pattern" filter to Qt's "text (patterns);;..." form;
// "*.*" becomes "*", every file. The dialog matches the patterns in any letter case.
QString qt_file_filter(std::string_view filter);

}  // namespace vtr::qt
