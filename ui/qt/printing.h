// Printing on the default printer, one page, no dialog.
#pragma once

#include <QImage>
#include <QPageLayout>
#include <QRect>
#include <QTextDocument>
#include <string>

class QPrinter;

namespace vtr::qt {

// Why nothing can be printed ("no printer available"), or empty when a printer is there.
std::string printer_problem();
// Prints the image on one page of the default printer; empty text on success, else what went
// wrong.
std::string print_image(const QImage& image);
// The orientation of `layout` in which an image of `size` prints largest inside the page's
// margins; portrait when both give the same size.
QPageLayout::Orientation best_orientation(const QSize& size, QPageLayout layout);
// Turns the page to the best orientation and draws the image on it as large as the margins
// allow, keeping its shape. Returns the rectangle drawn, in device pixels, or an empty one
// when the printer could not be started or could not finish the page.
QRect print_image_on(QPrinter& printer, const QImage& image);
// Prints the document in its own fonts; empty text on success, else what went wrong.
std::string print_document(const QTextDocument& document);

}  // namespace vtr::qt
