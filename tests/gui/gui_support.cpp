#include "tests/gui/gui_support.h"

#include <QApplication>
#include <QTimer>

#include "ui/qt/message_view.h"

namespace vtr::gui {

namespace {

// Forgets an earlier window's request to end the program (QCoreApplication::exit), which
// would otherwise end every event loop started after it, a dialog's or a box's, at once:
// the application's loop, run once and ended from inside, clears it.
void clear_exit_request() {
  QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

}  // namespace

std::unique_ptr<TestingWindow> open_window() {
  clear_exit_request();
  auto w = std::make_unique<TestingWindow>();
  w->toolkit().box_hook = [](const qt::BoxRequest& r) {
    return r.buttons == MsgButtons::ok ? Answer::ok : Answer::no;
  };
  w->toolkit().dialog_hook = [] { return std::optional<std::string>(); };
  w->show();
  if (!QTest::qWaitForWindowExposed(w.get())) qWarning("window not exposed");
  return w;
}

void answer_dialog(TestingWindow& w, const std::string& path) {
  w.toolkit().dialog_hook = [path]() -> std::optional<std::string> {
    if (path.empty()) return std::nullopt;
    return path;
  };
}

void click(qt::Form1& w, Button b) {
  QTest::mouseClick(w.button(b), Qt::LeftButton);
  QApplication::processEvents();
}

QColor face_colour(qt::Form1& w, Button b) {
  QPushButton* button = w.button(b);
  const QImage shot = w.grab().toImage();
  const QPoint at = button->geometry().topLeft() + QPoint(2, 3);
  return shot.pixelColor(at);
}

QColor qcolour(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

std::string top_line(qt::Form1& w) {
  const std::string text = w.toolkit().text(TextBox::Text1);
  return text.substr(0, text.find("\r\n"));
}

QStringList message_lines(qt::Form1& w) {
  return QString::fromStdString(w.toolkit().text(TextBox::Text1)).split(QStringLiteral("\r\n"));
}

}  // namespace vtr::gui
