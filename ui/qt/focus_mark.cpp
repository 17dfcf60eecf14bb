#include "ui/qt/focus_mark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QRegion>

namespace vtr::qt {

namespace {
constexpr int kMargin = kFocusMarkWidth + kFocusMarkGap;
}

FocusMark::FocusMark(QWidget* window) : QWidget(window) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusMark::follow(QWidget* focused) {
  if (target_) target_->removeEventFilter(this);
  // Only the window's own controls are marked. A box or a dialog is a child of the window
  // too, but a window of its own: while it or a control in it has the focus, nothing is.
  const bool in_window = focused && focused->window() == parentWidget();
  // A control inside another (the picture's scroll area) is marked as the outer one.
  QWidget* control = focused;
  while (in_window && control->parentWidget() != parentWidget()) control = control->parentWidget();
  if (!in_window || control == this) {
    target_ = nullptr;
    hide();
    return;
  }
  target_ = control;
  target_->installEventFilter(this);
  place();
}

void FocusMark::place() {
  if (!target_ || !target_->isVisible()) {
    hide();
    return;
  }
  const QRect ring = target_->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin);
  setGeometry(ring);
  // Only the ring is this widget's: the control inside stays fully visible and clickable.
  setMask(QRegion(rect()).subtracted(QRegion(
      rect().adjusted(kFocusMarkWidth, kFocusMarkWidth, -kFocusMarkWidth, -kFocusMarkWidth))));
  raise();
  show();
  update();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
  if (watched == target_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                             event->type() == QEvent::Show || event->type() == QEvent::Hide))
    place();
  return QWidget::eventFilter(watched, event);
}

void FocusMark::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kFocusMarkColour);
}

}  // namespace vtr::qt
