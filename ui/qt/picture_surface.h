// Picture1: a persistent picture drawn by a widget.
//
// What the logic draws goes into a QImage that outlives any repaint; the widget shows it at
// its own size. Only the rows drawn since the last repaint are repainted.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "core/toolkit.h"

namespace vtr::qt {

// The surface's background: the classic button-face grey of the picture box.
inline const QColor kPictureBackground{212, 208, 200};
inline constexpr int kStartupPictureSize = 512;
inline constexpr int kStartupGrey = 192;

class PictureSurface : public QWidget {
 public:
  // (button 1 left / 2 right / 4 middle, shift 1 shift / 2 ctrl / 4 alt, x, y in pixels)
  using PressHandler = std::function<void(int, int, float, float)>;

  explicit PictureSurface(QWidget* parent = nullptr);

  void show_startup_picture();
  // The picture at a new size, drawn into `next`, an RGB32 image of that size (null where
  // the size is empty): what was drawn stays where it still fits, new area is background.
  void resize_picture(QSize size, QImage next);
  void set_pixel(int x, int y, QRgb colour);
  void set_grey_row(int x0, int y, const std::uint8_t* grey, int count);
  void remove_picture();
  Bitmap bitmap() const;
  const QImage& image() const { return image_; }

  // Asks for a repaint of what was drawn since the last one.
  void flush();
  void set_press_handler(PressHandler handler) { on_press_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void mark_dirty(const QRect& rect);

  QImage image_;
  QRect dirty_;
  bool flush_pending_ = false;
  PressHandler on_press_;
};

}  // namespace vtr::qt
