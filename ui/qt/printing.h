// Printing on the default printer, one page, no dialog.
#pragma once

#include <QImage>
#include <QTextDocument>
#include <string>

namespace vtr::qt {

// Why nothing can be printed ("no printer available"), or empty when a printer is there.
std::string printer_problem();
// Prints the image scaled to fit one page; empty text on success, else what went wrong.
std::string print_image(const QImage& image);
// Prints the document in its own fonts; empty text on success, else what went wrong.
std::string print_document(const QTextDocument& document);

}  // namespace vtr::qt
