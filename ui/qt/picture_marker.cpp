#include "ui/qt/picture_marker.h"

#include <QPainter>
#include <algorithm>

namespace vtr::qt {

namespace {
constexpr int kOuter = 4;  // the white ring, 4 pixels from the marked pixel
constexpr int kInner = 3;  // the black ring
constexpr int kShiftStep = 10;
}  // namespace

void PictureMarker::place(QPoint p, QSize size) {
  at_ = QPoint(std::clamp(p.x(), 0, std::max(size.width() - 1, 0)),
               std::clamp(p.y(), 0, std::max(size.height() - 1, 0)));
}

QRect PictureMarker::area() const {
  return QRect(at_ - QPoint(kOuter, kOuter), QSize(2 * kOuter + 1, 2 * kOuter + 1));
}

void PictureMarker::draw(QPainter& painter) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 0));
  painter.drawRect(QRect(at_ - QPoint(kOuter, kOuter), QSize(2 * kOuter, 2 * kOuter)));
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(QRect(at_ - QPoint(kInner, kInner), QSize(2 * kInner, 2 * kInner)));
  painter.restore();
}

std::optional<QPoint> PictureMarker::step(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  const int n = (modifiers & Qt::ShiftModifier) ? kShiftStep : 1;
  switch (key) {
    case Qt::Key_Left:
      return QPoint(-n, 0);
    case Qt::Key_Right:
      return QPoint(n, 0);
    case Qt::Key_Up:
      return QPoint(0, -n);
    case Qt::Key_Down:
      return QPoint(0, n);
    default:
      return {};
  }
}

}  // namespace vtr::qt
