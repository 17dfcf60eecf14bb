#include "ui/qt/application.h"

#include "ui/qt/fault_boundary.h"
#include "ui/qt/form1.h"

namespace vtr::qt {

bool Application::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  runguarded([&] { handled = QApplication::notify(receiver, event); },
             [](std::string_view reason) { stop_after_fault(reason); });
  return handled;
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
