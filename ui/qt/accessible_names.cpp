#include "ui/qt/accessible_names.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTextEdit>
#include <QToolBar>

#include "ui/qt/form1.h"
#include "ui/qt/form2.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/message_view.h"
#include "ui/qt/picture_surface.h"

namespace vtr::qt {

namespace {

struct Spoken {
  QWidget* widget;
  const char* name;
  const char* description;  // or nullptr: the tooltip, if any, is read instead
};

void apply(std::initializer_list<Spoken> controls) {
  for (const Spoken& c : controls) {
    c.widget->setAccessibleName(QLatin1String(c.name));
    if (c.description) c.widget->setAccessibleDescription(QLatin1String(c.description));
  }
}

constexpr const char* kPictureSays =
    "The opened image at half scale and 8-bit depth. Click a pixel to read its position and "
    "full-resolution value in the message area.";

}  // namespace

void name_controls(Form1& w) {
  const auto button = [&w](Button b) { return static_cast<QWidget*>(w.button(b)); };
  const auto box = [&w](TextBox b) { return static_cast<QWidget*>(w.line_box(b)); };
  apply({
      {w.message_view(), "message area",
       "Errors, image information and pixel read-outs, the newest line first."},
      {button(Button::Command1), "exit", nullptr},
      {button(Button::getimage_button), "get image", nullptr},
      {button(Button::getheader_button), "get header", nullptr},
      {button(Button::printbutton), "print", nullptr},
      {button(Button::copy_button), "copy", nullptr},
      {button(Button::refresh_button), "refresh", nullptr},
      {button(Button::clear_button), "clear", "Empties the message area and the picture."},
      {button(Button::help_button), "help", nullptr},
      {button(Button::imageinvert), "invert", nullptr},
      {button(Button::Command7), "reset",
       "Sets the sliders to 0 and 255 and the invert to normal."},
      {button(Button::Command8), "best fit", nullptr},
      {button(Button::Command9), "full range", "Sets the sliders to 0 and 255."},
      {w.chart(), "histogram", nullptr},
      {box(TextBox::image_filename), "file name", "The path of the image file last read."},
      {box(TextBox::image_bitspersample), "bits per pixel",
       "The bits per sample of the image last read: 8, 12 or 16."},
      {box(TextBox::image_type), "image type",
       "The kind of image last read: grey scale and which value is black, or RGB."},
      {box(TextBox::image_width), "image width", "The width of the image last read, in pixels."},
      {box(TextBox::image_length), "image length",
       "The length (height) of the image last read, in pixels."},
      {box(TextBox::image_date), "image date", "The date and time the image file records."},
      {w.progress_bar(), "progress", "How far the image being read or painted has got."},
      {w.slider(Slider::image_min), "minimum intensity",
       "The level, 0 to 255, drawn as black (white when inverted); lower levels are black too. "
       "Refresh shows the picture with it."},
      {w.slider(Slider::image_max), "maximum intensity",
       "The level, 0 to 255, that sets the contrast: levels are scaled by 255 divided by it, so "
       "with the minimum at 0 it and higher levels are white (black when inverted). Refresh "
       "shows the picture with it."},
      {w.picture_area(), "picture", kPictureSays},
      {w.picture(), "image", kPictureSays},
  });
}

void name_controls(Form2& w) {
  apply({
      {w.findChild<QToolBar*>(), "tab strip", nullptr},
      {w.tb(), "help text", "The help or the about text; the tabs above choose which."},
  });
}

}  // namespace vtr::qt
