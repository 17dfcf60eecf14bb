// The program's application object: the one place where a fault that escaped an event
// handler is caught.
//
// Qt's event loop cannot pass an exception on. A failed allocation (std::bad_alloc) or any
// other exception that leaves a command's handler is caught here, where the event was
// delivered, and every main window ends the command it stopped: an "[error]" line, and the
// window ready for the next command.
#pragma once

#include <QApplication>
#include <string_view>

namespace vtr::qt {

class Application : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  static void stop_after_fault(std::string_view reason) noexcept;
};

}  // namespace vtr::qt
