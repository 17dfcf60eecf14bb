// Vantrel TIFF Reader: a viewer for uncompressed scientific TIFF images. It takes no
// command-line arguments.
#include <QApplication>
#include <QIcon>

#include "ui/qt/form1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("VantrelTIFFReader"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vantrel-tiff-reader")));
  vtr::qt::Form1 window;
  window.show();
  return QApplication::exec();
}
