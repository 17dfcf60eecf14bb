// Opens the main window and runs one scripted session for the shell tests, printing what it
// did. Commands (first argument):
//   print OUT.png            press print; save a grab of the window first; print the top line
//   printhelp                open help, pick Print; print the top line and the tab
//   helppdf OUT.pdf          the help text laid out for the default printer, as a PDF file
//   load FILE copy SECONDS [NEXT]
//                            load FILE, press copy, then keep the window open for SECONDS;
//                            prints every "[error]" line and the peak address space too;
//                            with NEXT, loads that file after the copy and prints its top
//                            line and picture size
//   dialog FILE              get image twice through the real file dialog, answered by typing
//                            FILE's path into it; prints where each dialog opened and the top
//                            line; then ends the program as its window's closing does
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <string>

#include "core/messages.h"
#include "tests/gui/gui_support.h"
#include "ui/qt/application.h"
#include "ui/qt/form2.h"
#include "ui/qt/picture_surface.h"

using namespace vtr;

namespace {

void say(const std::string& what, const std::string& text) {
  std::printf("%s: %s\n", what.c_str(), text.c_str());
  std::fflush(stdout);
}

// The process's peak address space in kB ("VmPeak"), or "unknown".
std::string peak_address_space() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return "unknown";
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmPeak:")) return line.mid(7).trimmed().split(' ').front().toStdString();
  }
  return "unknown";
}

// The picture's size, "WxH", read without drawing it: a drawn copy of a large picture would
// take as much memory as the copy the session tests.
std::string picture_size(gui::TestingWindow& w) {
  const QSize size = w.picture()->picture_size();
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

}  // namespace

int main(int argc, char** argv) {
  vtr::qt::Application application(argc, argv);
  if (argc < 2) return 2;
  const std::string command = argv[1];
  auto w = gui::open_window();
  QApplication::processEvents();

  if (command == "print" && argc >= 3) {
    w->grab().save(QString::fromLocal8Bit(argv[2]));
    gui::click(*w, Button::printbutton);
    say("top", gui::top_line(*w));
    say("colour", w->toolkit().back_colour(Button::printbutton) == kIdleColour ? "idle" : "busy");
    return 0;
  }
  if (command == "printhelp") {
    gui::click(*w, Button::help_button);
    qt::Form2* f = w->help_window();
    f->tabs()->setCurrentIndex(kTabPrint - 1);
    QApplication::processEvents();
    say("top", gui::top_line(*w));
    say("tab", std::to_string(f->selected_tab()));
    return 0;
  }
  if (command == "helppdf" && argc >= 3) {
    // The help text as the default printer would lay it out, written to a local PDF file.
    gui::click(*w, Button::help_button);
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(argv[2]));
    w->help_window()->tb()->document()->print(&printer);
    say("written", argv[2]);
    return 0;
  }
  if (command == "dialog" && argc >= 3) {
    w->toolkit().dialog_hook = nullptr;  // the toolkit's own dialog
    const QString path = QString::fromLocal8Bit(argv[2]);
    QString opened_in;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      opened_in = dialog->directory().absolutePath();
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (!name) return dialog->reject();
      name->setText(path);
      QTest::keyClick(name, Qt::Key_Return);
    });
    answer.start(50);
    for (const char* which : {"first", "second"}) {
      gui::click(*w, Button::getimage_button);
      say(std::string(which) + " dialog opened in", opened_in.toStdString());
      say("top", gui::top_line(*w));
    }
    w->close();
    return 0;
  }
  if (command == "load" && argc >= 5) {
    gui::answer_dialog(*w, argv[2]);
    gui::click(*w, Button::getimage_button);
    say("picture", picture_size(*w));
    if (std::string(argv[3]) == "copy") gui::click(*w, Button::copy_button);
    say("top", gui::top_line(*w));
    for (const QString& line : gui::message_lines(*w))
      if (line.startsWith(QStringLiteral("[error]"))) say("error", line.toStdString());
    if (argc >= 6) {
      gui::answer_dialog(*w, argv[5]);
      gui::click(*w, Button::getimage_button);
      say("next", gui::top_line(*w));
      say("nextpicture", picture_size(*w));
    }
    say("peak", peak_address_space());
    const QPoint origin = w->mapToGlobal(QPoint(0, 0));
    say("origin", std::to_string(origin.x()) + "," + std::to_string(origin.y()));
    say("ready", "yes");
    QTimer::singleShot(static_cast<int>(std::stod(argv[4]) * 1000), &application,
                       &QCoreApplication::quit);
    return QApplication::exec();
  }
  return 2;
}
