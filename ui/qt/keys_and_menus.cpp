#include "ui/qt/keys_and_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "ui/qt/form1_rows.h"

namespace vtr::qt {

QAction* make_key_action(const ControlRow& row, QWidget& window) {
  const QKeySequence key(qtext(row.key), QKeySequence::PortableText);
  // The text after the tab is the menu's key column.
  auto* action = new QAction(
      qtext(row.spoken) + QLatin1Char('\t') + key.toString(QKeySequence::NativeText), &window);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setAutoRepeat(false);
  window.addAction(action);
  return action;
}

void give_context_menu(QWidget& owner, const QList<QAction*>& actions) {
  owner.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&owner, &QWidget::customContextMenuRequested, &owner,
                   [&owner, actions](const QPoint& at) {
                     auto* menu = new QMenu(&owner);
                     menu->setAttribute(Qt::WA_DeleteOnClose);
                     menu->addActions(actions);
                     menu->popup(owner.mapToGlobal(at));
                   });
}

}  // namespace vtr::qt
