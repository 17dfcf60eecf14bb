#include "ui/qt/auto_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>

#include "display/autowindow.h"
#include "ui/qt/form1.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/picture_surface.h"
#include "ui/qt/value_tips.h"

namespace vtr::qt {

namespace {

QKeySequence auto_key() {
  return QKeySequence(QLatin1String(kAutoWindowKey), QKeySequence::PortableText);
}

void run_auto(Form1& window) {
  window.guarded([&window] {
    if (!window.app().ending) autowindow_Click(window.app());
  });
}

void give_context_menu(Form1& window, QWidget* owner) {
  owner->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(owner, &QWidget::customContextMenuRequested, owner,
                   [&window, owner](const QPoint& at) {
                     make_auto_menu(window, owner)->popup(owner->mapToGlobal(at));
                   });
}

}  // namespace

QMenu* make_auto_menu(Form1& window, QWidget* owner) {
  auto* menu = new QMenu(owner);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The text after the tab is the menu's key column.
  QAction* a =
      menu->addAction(QStringLiteral("auto\t") + auto_key().toString(QKeySequence::NativeText));
  // The command runs once the menu has closed and gone, not inside the menu's own events:
  // its paint lets window events run.
  QObject::connect(a, &QAction::triggered, &window,
                   [&window] { QTimer::singleShot(0, &window, [&window] { run_auto(window); }); });
  return menu;
}

void install_auto_window(Form1& window) {
  auto* shortcut = new QShortcut(auto_key(), &window);
  shortcut->setContext(Qt::WindowShortcut);
  shortcut->setAutoRepeat(false);
  QObject::connect(shortcut, &QShortcut::activated, &window, [&window] { run_auto(window); });
  give_context_menu(window, window.picture());
  give_context_menu(window, window.chart());
  // Tabbing to the picture's area gives the picture itself the focus, for its keys.
  window.picture_area()->setFocusProxy(window.picture());
  install_value_tips(window);
}

}  // namespace vtr::qt
