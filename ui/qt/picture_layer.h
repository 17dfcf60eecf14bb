// What the picture surface shows, kept at one grey byte a pixel.
//
// A layer is a picture of one size: its grey levels, which part of each row shows them, a few
// single pixels of any colour set on top (set_pixel), and, where its rows show neither, the
// picture it replaced (clipped to this one's size) or else the window's background. A new
// size starts a layer over the old one, so the old picture shows below the rows drawn so far
// and nothing is filled or copied before the first row is drawn; once every row the paint
// draws is drawn, the few pixels the old picture still shows (the paint leaves row 0 and
// column 0 as they were) are taken over and the old layer is let go.
#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "core/picture_rows.h"

namespace vtr::qt {

class PictureLayer {
 public:
  // A layer of `size` whose grey levels are `grey` (a Format_Grayscale8 image of that size, or
  // a null image for an empty size), showing `below` (nullptr: the background `background`)
  // everywhere until rows are drawn.
  PictureLayer(QSize size, QImage grey, std::unique_ptr<PictureLayer> below, QRgb background);
  PictureLayer(const PictureLayer&) = delete;
  PictureLayer& operator=(const PictureLayer&) = delete;

  // The layer's size in pixels, which is the picture's.
  QSize size() const { return size_; }
  // The grey levels, for the paint to write (see Toolkit::picture_rows).
  PictureRows rows();
  // Rows first .. first + rows - 1, columns x0 .. x0 + count - 1, clipped to the layer, show
  // their grey levels from now on, over any colour set there.
  void show_grey(int x0, int first, int rows, int count);
  // Shows `colour` at (x, y) until grey levels are shown there again; clipped.
  void set_colour(int x, int y, QRgb colour);
  // Shows nothing but the background; the grey levels stay for the rows drawn next.
  void clear();
  // The colours of row y, columns x0 .. x1 - 1, into out[0 .. x1 - x0 - 1]; the background
  // outside the layer.
  void compose(int y, int x0, int x1, QRgb* out) const;
  // Takes over what the layer below still shows through this one and lets it go.
  void absorb_below();
  // True while the picture this one replaced still shows somewhere through it.
  bool has_below() const { return below_ != nullptr; }

 private:
  struct Span {  // columns from .. to - 1 show the grey levels
    int from = 0;
    int to = 0;
    bool empty() const { return from >= to; }
  };
  // True when span `s` holds columns 1 .. width - 1, every column the paint draws.
  bool covers_drawn_columns(const Span& s) const;
  // show_grey for row y, columns from .. to - 1 (inside the layer).
  void show_grey_in_row(int y, int from, int to);
  // Takes into row y what shows in columns from .. to - 1 (shown[0 ..], none of them
  // showing this layer's grey, and the run next to the row's grey or the whole row): grey
  // next to the row's grey joins it, other colours but the background are set on top.
  void take_over(int y, int from, int to, const QRgb* shown);

  QSize size_;
  QImage grey_;
  QRgb background_;
  std::vector<Span> spans_;                  // one a row
  std::map<std::pair<int, int>, QRgb> set_;  // (row, column): colours set on top
  std::unique_ptr<PictureLayer> below_;
  int covered_ = 0;  // rows 1.. whose grey levels show in columns 1 .. width - 1
};

}  // namespace vtr::qt
