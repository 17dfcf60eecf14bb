// A dialog's popups go when the dialog goes. A completion list that is up when Return accepts
// the dialog stays up otherwise: the list has no parent widget, it holds the line edit's focus
// while it shows, and as the active popup it takes every key of the program, the main
// window's included, until Esc or a click closes it.
#pragma once

class QWidget;

namespace vtr::qt {

// From now on, whenever `dialog` hides (accepted, rejected or closed), every popup it owns is
// closed with it: the lists of its line edits' completers and the popup windows among its
// descendants (a combo box's list, a context menu).
void close_popups_with(QWidget& dialog);

}  // namespace vtr::qt
