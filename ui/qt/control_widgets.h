// The widget each kind of row of the main window makes: at the row's place, with its caption,
// its tooltip (its key named in it), its spoken name and what else its kind needs.
#pragma once

#include <functional>

class QWidget;

namespace vtr {
struct App;
}

namespace vtr::qt {

struct ControlRow;

// Makes the widget `row` describes as a child of `window`; nothing (nullptr) for a command.
// A button runs `activate` when clicked, the credits label when pressed. The message area
// shows `app`'s message record; the sliders and the chart name stored values of `app`'s image
// in their tooltips.
QWidget* make_control(const ControlRow& row, QWidget& window, const App& app,
                      std::function<void()> activate);

}  // namespace vtr::qt
