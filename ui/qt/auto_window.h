// The automatic window's key and menus, the values behind the sliders and the chart's bins in
// tooltips, and the picture's keyboard read-out, added to a built main window.
#pragma once

class QMenu;
class QWidget;

namespace vtr::qt {

class Form1;

// The key of the automatic window, in QKeySequence's portable text form.
inline constexpr const char* kAutoWindowKey = "Ctrl+Shift+B";

// Binds the key, gives the picture and the chart their context menu, makes the picture
// take the focus in its area's place, and shows the stored values in tooltips.
void install_auto_window(Form1& window);

// The context menu of the picture and of the chart: "auto" with its key.
QMenu* make_auto_menu(Form1& window, QWidget* owner);

}  // namespace vtr::qt
