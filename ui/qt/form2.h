// Form2: the help window, a tab strip in a toolbar above one text box.
#pragma once

#include <QWidget>
#include <functional>

class QTabBar;
class QTextEdit;
class QToolBar;

namespace vtr::qt {

class Form2 : public QWidget {
 public:
  explicit Form2(QWidget* parent = nullptr);

  // Runs on every tab pick, including a pick of the tab already selected.
  void set_tab_handler(std::function<void()> handler) { on_tab_ = std::move(handler); }

  // The selected tab, 1-based.
  int selected_tab() const;
  QTabBar* tabs() const { return tabs_; }
  QTextEdit* tb() const { return tb_; }

 private:
  void picked();

  QToolBar* toolbar_;
  QTabBar* tabs_;
  QTextEdit* tb_;
  std::function<void()> on_tab_;
};

}  // namespace vtr::qt
