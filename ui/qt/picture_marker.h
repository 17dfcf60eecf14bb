// The read-out marker: one display pixel of the picture, chosen with the arrow keys, shown as
// two rings around it (white outside, black inside, so it stands out on any grey) with the
// pixel itself left in view. It is drawn over the picture on screen and never into the
// picture, so the copy and the print never show it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QPainter;

namespace vtr::qt {

class PictureMarker {
 public:
  QPoint at() const { return at_; }
  // Puts the marker on pixel p, kept inside a picture of `size`.
  void place(QPoint p, QSize size);
  // Puts the marker at the centre of a picture of `size`: where it starts on a new picture.
  void centre(QSize size) { place(QPoint(size.width() / 2, size.height() / 2), size); }
  // The widget pixels the marker covers where it stands.
  QRect area() const;
  void draw(QPainter& painter) const;

  // How far a key moves the marker: an arrow one pixel, with Shift ten; nothing for any
  // other key or with Ctrl or Alt held.
  static std::optional<QPoint> step(int key, Qt::KeyboardModifiers modifiers);

 private:
  QPoint at_;
};

}  // namespace vtr::qt
