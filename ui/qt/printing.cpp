#include "ui/qt/printing.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace vtr::qt {

namespace {

std::unique_ptr<QPrinter> default_printer() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::NativeFormat);
  printer->setDocName(QStringLiteral("VantrelTIFFReader"));
  return printer;
}

}  // namespace

std::string printer_problem() {
  if (QPrinterInfo::availablePrinterNames().isEmpty()) return "no printer available";
  if (QPrinterInfo::defaultPrinter().isNull()) return "no default printer";
  return {};
}

std::string print_image(const QImage& image) {
  if (std::string problem = printer_problem(); !problem.empty()) return problem;
  if (image.isNull()) return "nothing to print";
  auto printer = default_printer();
  const QRect drawn = print_image_on(*printer, image);
  if (printer->printerState() == QPrinter::Error) return "the printer reported an error";
  if (drawn.isEmpty()) return "the printer could not be started";
  return {};
}

QPageLayout::Orientation best_orientation(const QSize& size, QPageLayout layout) {
  // How much of the image's area fits the printable part of the page.
  const auto fitted = [&](QPageLayout::Orientation o) {
    layout.setOrientation(o);
    const QSizeF room = layout.paintRect(QPageLayout::Point).size();
    QSizeF s = QSizeF(size);
    s.scale(room, Qt::KeepAspectRatio);
    return s.width() * s.height();
  };
  return fitted(QPageLayout::Landscape) > fitted(QPageLayout::Portrait) ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait;
}

QRect print_image_on(QPrinter& printer, const QImage& image) {
  printer.setPageOrientation(best_orientation(image.size(), printer.pageLayout()));
  QPainter p;
  if (!p.begin(&printer)) return {};
  // The painter's origin is the top left of the printable part of the page.
  const QRect room = p.viewport();
  QSize size = image.size();
  size.scale(room.size(), Qt::KeepAspectRatio);
  const QRect target(QPoint(0, 0), size);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(target, image);
  if (!p.end()) return {};
  return target;
}

std::string print_document(const QTextDocument& document) {
  if (std::string problem = printer_problem(); !problem.empty()) return problem;
  auto printer = default_printer();
  document.print(printer.get());
  if (printer->printerState() == QPrinter::Error) return "the printer reported an error";
  return {};
}

}  // namespace vtr::qt
