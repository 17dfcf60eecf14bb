// Form1: the main window, its controls at their design places, and the wiring of each
// control to its handler. It owns the toolkit binding and the program-wide records.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app.h"
#include "ui/qt/qt_toolkit.h"

class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;

namespace vtr::qt {

class FocusMark;
class Form2;
class HistogramChart;
class MessageView;
class PictureSurface;

// The window's background: the classic grey of an active window border.
inline const QColor kForm1Background{212, 208, 200};

// A label that reports a mouse press.
class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> on_click;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class Form1 : public QWidget {
 public:
  // Makes the toolkit binding the window's logic uses, for the window being built.
  using ToolkitMaker = std::function<std::unique_ptr<QtToolkit>(Form1&)>;

  // The window with the plain toolkit binding.
  Form1();
  explicit Form1(const ToolkitMaker& make_toolkit);
  ~Form1() override;

  App& app() { return app_; }
  QtToolkit& toolkit() { return *tk_; }

  QPushButton* button(Button b) const { return buttons_[static_cast<std::size_t>(b)]; }
  // The one-line header boxes; Text1 is message_view().
  QLineEdit* line_box(TextBox box) const { return boxes_[static_cast<std::size_t>(box)]; }
  MessageView* message_view() const { return text1_; }
  QSlider* slider(Slider s) const { return s == Slider::image_min ? image_min_ : image_max_; }
  QProgressBar* progress_bar() const { return progress_; }
  PictureSurface* picture() const { return picture_; }
  QScrollArea* picture_area() const { return picture_area_; }
  HistogramChart* chart() const { return chart_; }
  ClickLabel* credits_label() const { return label9_; }
  Form2* help_window() const { return help_.get(); }
  FocusMark* focus_mark() const { return focus_mark_; }
  void create_help_window();

  // Opens the files named by the command line or a drop, as get image does with the
  // dialog's answer; nothing once the program is ending.
  void open_files(const std::vector<std::string>& paths);
  // Ends what a fault that escaped an event handler stopped, with `reason` in the line.
  void stop_after_fault(std::string_view reason);
  // Runs a command of the window; a fault that escapes it is stopped here, before it could
  // pass through the toolkit's own event code, and ends as stop_after_fault says.
  void guarded(const std::function<void()>& command);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A drop of local files anywhere on the window opens them once the drop is over.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void build();
  QPushButton* make_button(Button b, const char* caption, const TwipRect& where,
                           const char* tooltip);
  QLineEdit* make_line_box(TextBox box, const TwipRect& where);
  QLabel* make_label(const char* caption, const TwipRect& where);
  QSlider* make_slider(const TwipRect& where, const char* tooltip);
  void wire();
  void order_tabs();

  std::unique_ptr<QtToolkit> tk_;
  App app_;

  std::array<QPushButton*, kButtonCount> buttons_{};
  std::array<QLineEdit*, kTextBoxCount> boxes_{};
  MessageView* text1_ = nullptr;
  QSlider* image_min_ = nullptr;
  QSlider* image_max_ = nullptr;
  QProgressBar* progress_ = nullptr;
  PictureSurface* picture_ = nullptr;
  QScrollArea* picture_area_ = nullptr;
  HistogramChart* chart_ = nullptr;
  ClickLabel* label9_ = nullptr;
  FocusMark* focus_mark_ = nullptr;
  std::unique_ptr<Form2> help_;
};

}  // namespace vtr::qt
