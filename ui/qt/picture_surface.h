// Picture1: a persistent picture drawn by a widget.
//
// What the logic draws is kept in picture layers (one grey byte a pixel, ui/qt/picture_layer.h)
// that outlive any repaint; the widget shows them at its own size. Only the rows drawn since
// the last repaint are repainted.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/toolkit.h"
#include "ui/qt/picture_layer.h"
#include "ui/qt/picture_marker.h"

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
  // The picture at a new size, its grey levels to be drawn into `grey`, a Format_Grayscale8
  // image of that size (null where the size is empty): what was drawn stays where it still
  // fits until rows are drawn over it, new area is background.
  void resize_picture(QSize size, QImage grey);
  void set_pixel(int x, int y, QRgb colour);
  // The grey levels of the picture, for the paint to write, and the rows it has written.
  PictureRows grey_rows() { return layer_->rows(); }
  void drawn_rows(int x0, int first, int rows, int count);
  void remove_picture();
  Bitmap bitmap() const;
  QSize picture_size() const { return layer_->size(); }
  // The picture as it shows, without the marker, as an RGB32 image; the same drawn into
  // `out`, an RGB32 or RGB888 image of the picture's size.
  QImage image() const;
  void draw_into(QImage& out) const;

  // Asks for a repaint of what was drawn since the last one.
  void flush();
  void set_press_handler(PressHandler handler) { on_press_ = std::move(handler); }

  // The read-out marker, shown while the surface has the focus: the arrow keys move it, Enter
  // or Space reads out the pixel under it as a press there does, and a press puts it there.
  // A picture of a new size starts it at its centre.
  const PictureMarker& marker() const { return marker_; }
  bool marker_shown() const { return hasFocus() && !marker_hidden_; }
  // Keeps the marker off the surface while it lives, whatever has the focus: for an image
  // of the window made by drawing it.
  class MarkerHidden {
   public:
    explicit MarkerHidden(PictureSurface& s) : s_(s) { s_.marker_hidden_ = true; }
    MarkerHidden(const MarkerHidden&) = delete;
    MarkerHidden& operator=(const MarkerHidden&) = delete;
    ~MarkerHidden() { s_.marker_hidden_ = false; }

   private:
    PictureSurface& s_;
  };

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void mark_dirty(const QRect& rect);
  void move_marker(QPoint to, bool into_view);

  std::unique_ptr<PictureLayer> layer_;
  QRect dirty_;
  bool flush_pending_ = false;
  PressHandler on_press_;
  PictureMarker marker_;
  bool marker_hidden_ = false;
};

}  // namespace vtr::qt
