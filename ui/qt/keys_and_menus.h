// The main window's keys and context menus, as actions made from its rows.
#pragma once

#include <QList>

class QAction;
class QWidget;

namespace vtr::qt {

struct ControlRow;

// The action of a row with a key: the key triggers it while `window` is active, once per
// press however long the key is held. Its text is the row's spoken name with the key in a
// menu's key column ("auto\tCtrl+Shift+B").
QAction* make_key_action(const ControlRow& row, QWidget& window);

// Gives `owner` a context menu of `actions`, made afresh for each request and gone once
// closed.
void give_context_menu(QWidget& owner, const QList<QAction*>& actions);

}  // namespace vtr::qt
