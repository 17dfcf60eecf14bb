#include "ui/qt/picture_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace vtr::qt {

namespace {

// The button code the read-out takes: 1 left, 2 right, 4 middle, 0 any other button.
int readout_button_code(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

// The shift code the read-out takes: the sum of 1 shift, 2 ctrl and 4 alt held down.
int readout_shift_code(Qt::KeyboardModifiers m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

}  // namespace

PictureSurface::PictureSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  show_startup_picture();
}

void PictureSurface::show_startup_picture() {
  image_ = QImage(kStartupPictureSize, kStartupPictureSize, QImage::Format_RGB32);
  image_.fill(QColor(kStartupGrey, kStartupGrey, kStartupGrey));
  QPainter p(&image_);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(24);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QPoint(12, 36), QStringLiteral("Vantrel TIFF Reader"));
  p.end();
  setFixedSize(image_.size());
  marker_.centre(image_.size());
  mark_dirty(image_.rect());
}

void PictureSurface::resize_picture(QSize size, QImage next) {
  if (!next.isNull()) {
    next.fill(kPictureBackground);
    if (!image_.isNull()) {
      QPainter p(&next);
      p.drawImage(QPoint(0, 0), image_);
    }
  }
  image_ = std::move(next);
  setFixedSize(size);
  update(marker_.area());
  marker_.centre(size);
  mark_dirty(image_.rect());
}

void PictureSurface::set_pixel(int x, int y, QRgb colour) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
  mark_dirty(QRect(x, y, 1, 1));
}

void PictureSurface::set_grey_row(int x0, int y, const std::uint8_t* grey, int count) {
  if (y < 0 || y >= image_.height() || count <= 0) return;
  // Clip the run [x0, x0 + count) to [0, width) once, in 64 bits against overflow.
  const long long first = std::max<long long>(x0, 0);
  const long long last = std::min<long long>(static_cast<long long>(x0) + count, image_.width());
  if (first >= last) return;
  QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
  for (long long x = first; x < last; ++x) {
    const std::uint8_t g = grey[x - x0];
    line[x] = qRgb(g, g, g);
  }
  mark_dirty(QRect(static_cast<int>(first), y, static_cast<int>(last - first), 1));
}

void PictureSurface::remove_picture() {
  image_.fill(kPictureBackground);
  mark_dirty(image_.rect());
}

Bitmap PictureSurface::bitmap() const {
  Bitmap b;
  b.width = image_.width();
  b.height = image_.height();
  b.pixels.reserve(static_cast<std::size_t>(b.width) * b.height);
  for (int y = 0; y < b.height; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
    for (int x = 0; x < b.width; ++x) b.pixels.push_back(line[x] & 0x00FFFFFFu);
  }
  return b;
}

void PictureSurface::mark_dirty(const QRect& rect) {
  dirty_ = dirty_.united(rect);
  if (flush_pending_) return;
  flush_pending_ = true;
  // Drawing that is not followed by an event pump still shows once the event loop runs.
  QTimer::singleShot(0, this, [this] { flush(); });
}

void PictureSurface::flush() {
  flush_pending_ = false;
  if (dirty_.isEmpty()) return;
  update(dirty_);
  dirty_ = QRect();
}

void PictureSurface::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect r = event->rect();
  p.drawImage(r.topLeft(), image_, r);
  // Outside the picture (a stale geometry while a resize is pending) shows background.
  const QRegion rest = QRegion(r).subtracted(QRegion(image_.rect()));
  for (const QRect& part : rest) p.fillRect(part, kPictureBackground);
  if (marker_shown()) marker_.draw(p);
}

void PictureSurface::move_marker(QPoint to, bool into_view) {
  update(marker_.area());
  marker_.place(to, image_.size());
  update(marker_.area());
  if (!into_view) return;
  // Inside the picture's scroll area a marker moved by the keys is kept in view.
  QWidget* viewport = parentWidget();
  if (auto* area = qobject_cast<QScrollArea*>(viewport ? viewport->parentWidget() : nullptr))
    area->ensureVisible(marker_.at().x(), marker_.at().y(), 8, 8);
}

void PictureSurface::keyPressEvent(QKeyEvent* event) {
  if (const auto step = PictureMarker::step(event->key(), event->modifiers())) {
    move_marker(marker_.at() + *step, true);
    return;
  }
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
    // The same read-out as a left press on the marked pixel.
    if (on_press_)
      on_press_(1, 0, static_cast<float>(marker_.at().x()), static_cast<float>(marker_.at().y()));
    return;
  }
  QWidget::keyPressEvent(event);
}

void PictureSurface::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update(marker_.area());
}

void PictureSurface::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update(marker_.area());
}

void PictureSurface::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  // The pressed pixel, where the keys go on from (a press is already in view).
  move_marker(QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))),
              false);
  if (!on_press_) return;
  on_press_(readout_button_code(event->button()), readout_shift_code(event->modifiers()),
            static_cast<float>(at.x()), static_cast<float>(at.y()));
}

}  // namespace vtr::qt
