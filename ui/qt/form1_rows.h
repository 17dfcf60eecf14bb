// The main window's controls and commands, one row each: what a control is, where it stands,
// what it shows and says, its key and what it runs. The window is built from the rows in their
// order, which is its tab order; its keys, spoken names and context menus come from them too.
#pragma once

#include <QString>
#include <span>
#include <string_view>
#include <variant>

#include "core/toolkit.h"
#include "ui/qt/design.h"

namespace vtr {
struct App;
}

namespace vtr::qt {

// The kind of widget a row makes.
enum class ControlKind {
  message_area,   // Text1, the multi-line message box
  button,         // a command button, its face in its back colour
  chart,          // MSChart1, the histogram
  line_box,       // a one-line header summary box
  label,          // the caption of a box or a slider
  progress_bar,   // ProgressBar1
  slider,         // an intensity slider
  credits_label,  // Label9, a label that runs its handler when pressed
  picture_area,   // Picture1, the picture scrolling inside its design area
  command,        // no widget: a command reached by its key and the context menus
};

// A text left empty is not there: a control without a tooltip shows none.
struct ControlRow {
  std::string_view name;  // the design's name, given to the widget as its object name
  ControlKind kind;
  // The control as the logic names it, for a button, a line box, a slider and the message area.
  std::variant<std::monostate, Button, TextBox, Slider> id = {};
  std::string_view caption = {};      // the text it shows from the start
  TwipRect place = {};                // its place and size in the window; none for a command
  Rgb colour = {};                    // a button's design back colour
  std::string_view tooltip = {};      // a key is named after it, " (Ctrl+O)"
  std::string_view key = {};          // in QKeySequence's portable text form
  std::string_view spoken = {};       // its name for a screen reader; a command's menu text
  std::string_view description = {};  // what a screen reader says it does, else the tooltip
  void (*handler)(App&) = nullptr;    // run by a click, its key or its menu entry
  bool in_context_menus = false;      // an entry of the picture's and the chart's context menu
};

// Every control and command of the main window, in tab order.
std::span<const ControlRow> form1_rows();

// A row's text as Qt takes it.
inline QString qtext(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vtr::qt
