// A clearly visible focus mark: a ring drawn around whichever control of one window has the
// keyboard focus, over the control's neighbours and never over the control itself.
#pragma once

#include <QPointer>
#include <QWidget>

namespace vtr::qt {

// Two pixels of a strong blue, a pixel clear of the control's edge.
inline const QColor kFocusMarkColour{0, 64, 224};
inline constexpr int kFocusMarkWidth = 2;
inline constexpr int kFocusMarkGap = 1;

class FocusMark : public QWidget {
 public:
  // A child of `window` that follows the focus among the window's controls; hidden while the
  // focus is in another window, a box or dialog owned by `window` included.
  explicit FocusMark(QWidget* window);

  // The control now marked, or nullptr.
  QWidget* marked() const { return target_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void follow(QWidget* focused);
  void place();

  QPointer<QWidget> target_;
};

}  // namespace vtr::qt
