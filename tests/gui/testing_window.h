// The main window with a toolkit binding that tests and measurements can script: the file
// dialog and message boxes answer without being shown, and every event pump can be watched.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/qt/form1.h"
#include "ui/qt/qt_toolkit.h"

namespace vtr::gui {

class TestingToolkit : public qt::QtToolkit {
 public:
  using QtToolkit::QtToolkit;

  // Answers the file dialog instead of showing it: a path, or std::nullopt for a cancel.
  std::function<std::optional<std::string>()> dialog_hook;
  // Answers a message box instead of showing it.
  std::function<Answer(const qt::BoxRequest&)> box_hook;
  // Called at every event pump, after the pending events ran (if the pump ran them).
  std::function<void()> pump_hook;
  // Every message box asked for, in order.
  std::vector<qt::BoxRequest> boxes;
  // Makes the binding's images instead of it (in the format the binding asks for, whatever the
  // hook's); a null image stands for memory not to be had.
  std::function<QImage(QSize, qt::ImageUse)> image_hook;

 protected:
  std::optional<std::string> ask_open_file() override {
    return dialog_hook ? dialog_hook() : QtToolkit::ask_open_file();
  }
  Answer ask_box(const qt::BoxRequest& request) override {
    boxes.push_back(request);
    return box_hook ? box_hook(request) : QtToolkit::ask_box(request);
  }
  void after_pump() override {
    if (pump_hook) pump_hook();
  }
  QImage make_image(QSize size, QImage::Format format, qt::ImageUse use) override {
    if (!image_hook) return QtToolkit::make_image(size, format, use);
    const QImage made = image_hook(size, use);
    return made.isNull() ? made : made.convertToFormat(format);
  }
};

class TestingWindow : public qt::Form1 {
 public:
  TestingWindow()
      : Form1([](Form1& w) -> std::unique_ptr<qt::QtToolkit> {
          return std::make_unique<TestingToolkit>(w);
        }) {}

  TestingToolkit& toolkit() { return static_cast<TestingToolkit&>(Form1::toolkit()); }
};

}  // namespace vtr::gui
