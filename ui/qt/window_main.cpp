// The window of Vantrel TIFF Reader, in a library of its own that the program loads only when
// the window is asked for (ui/window_start.h): its one entry point starts the window system
// with its options, shows the main window and opens the FILE once the window is up, as get
// image opens the file the dialog answers.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <memory>
#include <string>

#include "core/program_texts.h"
#include "ui/qt/application.h"
#include "ui/qt/display_check.h"
#include "ui/qt/form1.h"
#include "ui/window_start.h"

extern "C" __attribute__((visibility("default"))) vtr::WindowMain vtr_window_main;

int vtr_window_main(int argc, char** argv, const char* file) {
  QCoreApplication::setApplicationName(QStringLiteral("vantrel-tiff-reader"));
  QCoreApplication::setApplicationVersion(
      QString::fromUtf8(vtr::kVersion.data(), static_cast<qsizetype>(vtr::kVersion.size())));
  // The desktop entry's name: Wayland's app id, by which the desktop finds the entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vantrel.TiffReader"));
  // Without a display the window cannot be opened: one line says which is missing.
  if (!vtr::qt::display_available(argc, argv)) return 1;
  auto watch = std::make_unique<vtr::qt::PlatformStartWatch>();
  vtr::qt::Application application(argc, argv);
  watch.reset();
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vantrel-tiff-reader")));
  vtr::qt::Form1 window;
  window.show();
  if (file != nullptr) {
    // The name's bytes as given, whatever their encoding.
    QTimer::singleShot(0, &window,
                       [&window, path = std::string(file)] { window.open_files({path}); });
  }
  return QApplication::exec();
}
