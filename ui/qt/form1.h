// Form1: the main window. It is built from its control rows; it runs each control's handler
// behind the fault boundary, and owns the toolkit binding and the program-wide records.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app.h"
#include "ui/qt/form1_controls.h"
#include "ui/qt/qt_toolkit.h"

namespace vtr::qt {

struct ControlRow;
class FocusMark;
class Form2;

// The window's background: the classic grey of an active window border.
inline const QColor kForm1Background{212, 208, 200};

class Form1 : public QWidget, public Form1Controls {
 public:
  // Makes the toolkit binding the window's logic uses, for the window being built.
  using ToolkitMaker = std::function<std::unique_ptr<QtToolkit>(Form1&)>;

  // The window with the plain toolkit binding.
  Form1();
  explicit Form1(const ToolkitMaker& make_toolkit);
  ~Form1() override;

  App& app() { return app_; }
  QtToolkit& toolkit() { return *tk_; }
  Form2* help_window() const { return tk_->help_window(); }
  FocusMark* focus_mark() const { return focus_mark_; }

  // Opens the files named by the command line or a drop, as get image does with the
  // dialog's answer; nothing once the program is ending.
  void open_files(const std::vector<std::string>& paths);
  // Ends what a fault that escaped an event handler stopped, with `reason` in the line.
  void stop_after_fault(std::string_view reason);
  // Runs a command of the window; a fault that escapes it is stopped here, before it could
  // pass through the toolkit's own event code, and ends as stop_after_fault says.
  void guarded(const std::function<void()>& command);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A drop of local files anywhere on the window opens them once the drop is over.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The window itself, then every control of its rows, in their order.
  void build();
  // Runs the row's handler, guarded; nothing once the program is ending.
  void run(const ControlRow& row);
  // The rows' keys, each pressing its button or running its command, and the context menus.
  void install_actions();

  std::unique_ptr<QtToolkit> tk_;
  App app_;
  FocusMark* focus_mark_ = nullptr;
};

}  // namespace vtr::qt
