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
  QPainter p;
  if (!p.begin(printer.get())) return "the printer could not be started";
  const QRect page = p.viewport();
  QSize size = image.size();
  size.scale(page.size(), Qt::KeepAspectRatio);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(QRect(page.topLeft(), size), image);
  if (!p.end() || printer->printerState() == QPrinter::Error)
    return "the printer reported an error";
  return {};
}

std::string print_document(const QTextDocument& document) {
  if (std::string problem = printer_problem(); !problem.empty()) return problem;
  auto printer = default_printer();
  document.print(printer.get());
  if (printer->printerState() == QPrinter::Error) return "the printer reported an error";
  return {};
}

}  // namespace vtr::qt
