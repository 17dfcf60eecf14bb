// The main window's widgets as they were built from its rows, found by the names the logic
// gives its controls. The toolkit binding drives the window through this record alone.
#pragma once

#include <array>

#include "core/toolkit.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QWidget;

namespace vtr::qt {

struct ControlRow;
class HistogramChart;
class MessageView;
class PictureSurface;

class Form1Controls {
 public:
  // The record of `window`'s controls, empty until each is kept.
  explicit Form1Controls(QWidget& window) : window_(window) {}

  // Keeps `widget`, made from `row`, under the row's name; a label and a command keep nothing.
  void keep(const ControlRow& row, QWidget* widget);

  QWidget& main_window() const { return window_; }
  QPushButton* button(Button b) const { return buttons_[static_cast<std::size_t>(b)]; }
  // The one-line header boxes; Text1 is message_view().
  QLineEdit* line_box(TextBox box) const { return boxes_[static_cast<std::size_t>(box)]; }
  MessageView* message_view() const { return text1_; }
  QSlider* slider(Slider s) const { return sliders_[static_cast<std::size_t>(s)]; }
  QProgressBar* progress_bar() const { return progress_; }
  // The picture's surface, inside its scrolling area.
  PictureSurface* picture() const { return picture_; }
  QScrollArea* picture_area() const { return picture_area_; }
  HistogramChart* chart() const { return chart_; }
  QLabel* credits_label() const { return label9_; }

 private:
  QWidget& window_;
  std::array<QPushButton*, kButtonCount> buttons_{};
  std::array<QLineEdit*, kTextBoxCount> boxes_{};
  std::array<QSlider*, 2> sliders_{};
  MessageView* text1_ = nullptr;
  QProgressBar* progress_ = nullptr;
  PictureSurface* picture_ = nullptr;
  QScrollArea* picture_area_ = nullptr;
  HistogramChart* chart_ = nullptr;
  QLabel* label9_ = nullptr;
};

}  // namespace vtr::qt
