#include "ui/qt/application.h"

#include <exception>
#include <new>

#include "ui/qt/form1.h"

namespace vtr::qt {

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    stop_after_fault("not enough memory");
  } catch (const std::exception& e) {
    stop_after_fault(e.what());
  } catch (...) {
    stop_after_fault({});
  }
  return false;
}

void Application::stop_after_fault(std::string_view reason) noexcept {
  try {
    for (QWidget* top : topLevelWidgets()) {
      if (auto* window = dynamic_cast<Form1*>(top)) window->stop_after_fault(reason);
    }
  } catch (...) {
    // Too little memory left even to tell the windows: the event is dropped. (A window
    // restores its state before it writes the line.)
  }
}

}  // namespace vtr::qt
