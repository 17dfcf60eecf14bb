#include "ui/qt/picture_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <vector>

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

// The colours of `row` as red, green and blue bytes into `line`.
void put_rgb888(const std::vector<QRgb>& row, uchar* line) {
  for (const QRgb c : row) {
    *line++ = static_cast<uchar>(qRed(c));
    *line++ = static_cast<uchar>(qGreen(c));
    *line++ = static_cast<uchar>(qBlue(c));
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
  QImage grey(kStartupPictureSize, kStartupPictureSize, QImage::Format_Grayscale8);
  grey.fill(QColor(kStartupGrey, kStartupGrey, kStartupGrey));
  QPainter p(&grey);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(24);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QPoint(12, 36), QStringLiteral("Vantrel TIFF Reader"));
  p.end();
  const QSize size = grey.size();
  layer_ = std::make_unique<PictureLayer>(size, std::move(grey), nullptr, kPictureBackground.rgb());
  layer_->show_grey(0, 0, size.height(), size.width());
  setFixedSize(size);
  marker_.centre(size);
  mark_dirty(QRect(QPoint(0, 0), size));
}

void PictureSurface::resize_picture(QSize size, QImage grey) {
  // At most one picture waits below the new one: an older one still showing through it (a
  // paint that did not finish) is taken into it first.
  if (layer_->has_below()) layer_->absorb_below();
  layer_ = std::make_unique<PictureLayer>(size, std::move(grey), std::move(layer_),
                                          kPictureBackground.rgb());
  setFixedSize(size);
  update(marker_.area());
  marker_.centre(size);
  mark_dirty(QRect(QPoint(0, 0), size));
}

void PictureSurface::set_pixel(int x, int y, QRgb colour) {
  if (x < 0 || y < 0 || x >= picture_size().width() || y >= picture_size().height()) return;
  layer_->set_colour(x, y, colour);
  mark_dirty(QRect(x, y, 1, 1));
}

void PictureSurface::drawn_rows(int x0, int first, int rows, int count) {
  layer_->show_grey(x0, first, rows, count);
  const QRect run(x0, first, std::max(count, 0), std::max(rows, 0));
  mark_dirty(run.intersected(QRect(QPoint(0, 0), picture_size())));
}

void PictureSurface::remove_picture() {
  layer_->clear();
  mark_dirty(QRect(QPoint(0, 0), picture_size()));
}

void PictureSurface::draw_into(QImage& out) const {
  const int width = std::min(out.width(), picture_size().width());
  const int height = std::min(out.height(), picture_size().height());
  if (out.format() != QImage::Format_RGB888) {
    for (int y = 0; y < height; ++y) {
      layer_->compose(y, 0, width, reinterpret_cast<QRgb*>(out.scanLine(y)));
    }
    return;
  }
  // Three bytes a pixel: each row is composed aside and its colours taken over.
  std::vector<QRgb> row(static_cast<std::size_t>(std::max(width, 0)));
  for (int y = 0; y < height; ++y) {
    layer_->compose(y, 0, width, row.data());
    put_rgb888(row, out.scanLine(y));
  }
}

QImage PictureSurface::image() const {
  QImage out(picture_size(), QImage::Format_RGB32);
  draw_into(out);
  return out;
}

Bitmap PictureSurface::bitmap() const {
  Bitmap b;
  b.width = picture_size().width();
  b.height = picture_size().height();
  b.pixels.resize(static_cast<std::size_t>(b.width) * b.height);
  for (int y = 0; y < b.height; ++y) {
    std::uint32_t* line = b.pixels.data() + static_cast<std::size_t>(y) * b.width;
    layer_->compose(y, 0, b.width, line);
    for (int x = 0; x < b.width; ++x) line[x] &= 0x00FFFFFFu;
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
  const QRect picture = r.intersected(QRect(QPoint(0, 0), picture_size()));
  if (!picture.isEmpty()) {
    QImage shown(picture.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
      layer_->compose(picture.top() + y, picture.left(), picture.right() + 1,
                      reinterpret_cast<QRgb*>(shown.scanLine(y)));
    }
    p.drawImage(picture.topLeft(), shown);
  }
  // Outside the picture (a stale geometry while a resize is pending) shows background.
  const QRegion rest = QRegion(r).subtracted(QRegion(picture));
  for (const QRect& part : rest) p.fillRect(part, kPictureBackground);
  if (marker_shown()) marker_.draw(p);
}

void PictureSurface::move_marker(QPoint to, bool into_view) {
  update(marker_.area());
  marker_.place(to, picture_size());
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
