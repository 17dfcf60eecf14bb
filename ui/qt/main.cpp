// Vantrel TIFF Reader: a viewer for uncompressed scientific TIFF images.
//
//   vantrel-tiff-reader [--help] [--version] [FILE]
//   vantrel-tiff-reader --header FILE... | --histogram FILE | --pixel X Y FILE
//
// FILE is opened once the window is up, as get image opens the file the dialog answers. The
// commands of the second form run without a window (ui/console.h).
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "core/program_texts.h"
#include "ui/console.h"
#include "ui/qt/application.h"
#include "ui/qt/command_line.h"
#include "ui/qt/display_check.h"
#include "ui/qt/form1.h"

namespace {

using vtr::qt::CommandLine;

// Prints what the command line asks for instead of the window; false when it asks for the
// window. `status` is the program's exit status then.
bool answer_instead_of_window(const CommandLine& line, int& status) {
  if (line.action == CommandLine::Action::open_window) return false;
  const bool failed = line.action == CommandLine::Action::bad_option ||
                      line.action == CommandLine::Action::too_many_files;
  std::fputs(line.text.toLocal8Bit().constData(), failed ? stderr : stdout);
  status = failed ? 1 : 0;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Before any application object: these need no display.
  if (const auto status = vtr::consolemain(argc, argv)) return *status;
  QCoreApplication::setApplicationName(QStringLiteral("vantrel-tiff-reader"));
  QCoreApplication::setApplicationVersion(
      QString::fromUtf8(vtr::kVersion.data(), static_cast<qsizetype>(vtr::kVersion.size())));
  // The desktop entry's name: Wayland's app id, by which the desktop finds the entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vantrel.TiffReader"));
  int status = 0;
  {
    // Help, version and a second FILE need no display: they are answered before the window
    // system is reached. An unknown option waits until the window system took its own.
    QCoreApplication console(argc, argv);
    const CommandLine early = vtr::qt::parse_command_line(QCoreApplication::arguments());
    if (early.action != CommandLine::Action::bad_option && answer_instead_of_window(early, status))
      return status;
  }
  // Without a display the window cannot be opened: one line says which is missing.
  if (!vtr::qt::display_available(argc, argv)) return 1;
  auto watch = std::make_unique<vtr::qt::PlatformStartWatch>();
  vtr::qt::Application application(argc, argv);
  watch.reset();
  const CommandLine line = vtr::qt::parse_command_line(QApplication::arguments());
  if (answer_instead_of_window(line, status)) return status;
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vantrel-tiff-reader")));
  vtr::qt::Form1 window;
  window.show();
  if (!line.file.isEmpty()) {
    QTimer::singleShot(0, &window,
                       [&window, file = line.file.toStdString()] { window.open_files({file}); });
  }
  return QApplication::exec();
}
