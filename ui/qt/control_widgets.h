// The widget each kind of row of the main window makes: at the row's place, with its caption,
// its tooltip (its key named in it), its spoken name and what else its kind needs.
#pragma once

#include <functional>

#include "core/message_area.h"
#include "ui/qt/slider_and_bin_tooltips.h"

class QWidget;

namespace vtr::qt {

struct ControlRow;

// The records the controls show: the message area's text, and what the sliders' and the
// chart's tooltips read of the image in memory. All live as long as the window.
struct ShownRecords {
  const MessageArea& messages;
  TipRecords tips;
};

// Makes the widget `row` describes as a child of `window`; nothing (nullptr) for a command.
// A button runs `activate` when clicked, the credits label when pressed.
QWidget* make_control(const ControlRow& row, QWidget& window, const ShownRecords& shown,
                      std::function<void()> activate);

}  // namespace vtr::qt
