#include "ui/qt/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

#include "core/messages.h"
#include "decode/readfile.h"
#include "display/readout.h"
#include "ui/commands.h"
#include "ui/helpwindow.h"
#include "ui/qt/accessible_roles.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/design.h"
#include "ui/qt/drops.h"
#include "ui/qt/fault_boundary.h"
#include "ui/qt/focus_mark.h"
#include "ui/qt/form1_rows.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/keys_and_menus.h"
#include "ui/qt/picture_surface.h"

namespace vtr::qt {

Form1::Form1() : Form1([](Form1& w) { return std::make_unique<QtToolkit>(w); }) {}

Form1::Form1(const ToolkitMaker& make_toolkit)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      Form1Controls(static_cast<QWidget&>(*this)),
      tk_(make_toolkit(*this)),
      app_(*tk_) {
  build();
  install_actions();
  tk_->set_help_tab_handler([this] { guarded([this] { TabStrip1_Click(app_); }); });
  focus_mark_ = new FocusMark(this);
  setAcceptDrops(true);
  form_load(app_);
}

Form1::~Form1() = default;

void Form1::stop_after_fault(std::string_view reason) {
  if (tk_->running_task_events()) {
    stop_command(app_.lines, reason);
  } else {
    stoptask(app_, reason);
  }
}

void Form1::build() {
  setWindowTitle(QStringLiteral("Vantrel TIFF Reader Version ") +
                 QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size())));
  setFixedSize(px(kForm1Width), px(kForm1Height));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(10);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kForm1Background);
  setPalette(pal);
  setAutoFillBackground(true);

  install_accessible_roles();   // before the picture and the chart are made
  QWidget* previous = nullptr;  // in the tab order
  for (const ControlRow& row : form1_rows()) {
    QWidget* widget = make_control(row, *this, {app_.messages, {app_.header, app_.invimage, *tk_}},
                                   [this, &row] { run(row); });
    if (!widget) continue;
    keep(row, widget);
    if (row.kind == ControlKind::message_area) {
      app_.lines.replace(row.caption);  // the box's design-time text, kept in the App's record
    } else if (const Button* b = std::get_if<Button>(&row.id)) {
      tk_->set_back_colour(*b, row.colour);
    }
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
  picture()->set_press_handler([this](int b, int shift, float x, float y) {
    guarded([&] { picture1_mousedown(app_, b, shift, x, y); });
  });
}

void Form1::run(const ControlRow& row) {
  guarded([this, &row] {
    if (!app_.ending) row.handler(app_);
  });
}

void Form1::install_actions() {
  QList<QAction*> menu;
  for (const ControlRow& row : form1_rows()) {
    if (row.key.empty()) continue;
    QAction* action = make_key_action(row, *this);
    if (const Button* b = std::get_if<Button>(&row.id)) {
      // A key presses its button: the same handler behind the same busy guard.
      connect(action, &QAction::triggered, button(*b), &QPushButton::click);
    } else {
      // A command of its own runs once the events of its key or menu are over: a menu has
      // closed and gone first, and the command's paint lets window events run.
      connect(action, &QAction::triggered, this,
              [this, &row] { QTimer::singleShot(0, this, [this, &row] { run(row); }); });
    }
    if (row.in_context_menus) menu.append(action);
  }
  give_context_menu(*picture(), menu);
  give_context_menu(*chart(), menu);
}

void Form1::guarded(const std::function<void()>& command) {
  runguarded(command, [this](std::string_view reason) { stop_after_fault(reason); });
}

void Form1::open_files(const std::vector<std::string>& paths) {
  guarded([&] {
    if (!app_.ending) openfiles(app_, paths, 0);
  });
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (!local_files(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
  if (!local_files(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = local_files(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  // The load runs after the drop has ended, so the program the file came from is not kept
  // waiting for it.
  QTimer::singleShot(0, this, [this, paths = std::move(paths)] { open_files(paths); });
}

void Form1::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program, help window and any running task included.
  event->accept();
  app_.ending = true;
  tk_->end_program();
}

}  // namespace vtr::qt
