#include "display/paint.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "core/program_texts.h"
#include "core/toolkit.h"
#include "display/greymap.h"
#include "display/histogram.h"
#include "display/intensity.h"

namespace vtr {

namespace {

// Fix(n / 2): the double-precision half truncated toward zero. A negative size (a header
// that gave a negative dimension) makes an empty surface.
int half_size(int n) {
  return std::max(0, static_cast<int>(std::trunc(n / 2.0)));
}

// The image file of the last load is closed once the picture is painted; the load driver
// is the only user of the file table.
void close_image_files(FileTable& files) {
  files.closeall();
}

// Grey levels of stored row y in the store's own value type; a row the store does not have
// reads as 0.
void grey_of_row(const PixelStore& s, const GreyTable& table, int y, int columns,
                 std::uint8_t invert, std::uint8_t* out, int count) {
  const bool inside = !s.empty() && y >= 1 && y <= s.length();
  if (valuebytes(s.kind()) == 2) {
    greyrow(table, inside ? s.row<std::uint16_t>(y) : nullptr, columns, invert, out, count);
  } else {
    greyrow(table, inside ? s.row<std::uint8_t>(y) : nullptr, columns, invert, out, count);
  }
}

// What the paint's bands draw from and on. The paint reads them again after each event pass:
// an invert, a new image or the end of the program during a pass applies from the next band
// on.
struct PaintSources {
  Toolkit& tk;
  const PixelStore& store;
  const std::int16_t& invimage;
  const bool& ending;
  WorkerPool& workers;
  const BandPlan& bands;
};

// What every display row of one band is drawn with.
struct RowDrawing {
  const PixelStore& store;
  const GreyTable& table;
  int columns;          // stored columns that are read: the image's, within the store
  std::uint8_t invert;  // 0, or 0xFF when inverted
  PictureRows picture;  // where the grey levels go, from column 1 on
  int landing;          // display columns 1..landing that lie on the surface
};

// Display rows from .. to (on the surface) of a band: source row 2r - 1 for display row r.
void draw_band_rows(const RowDrawing& d, std::int64_t from, std::int64_t to) {
  for (auto r = static_cast<int>(from); r <= to; ++r) {
    grey_of_row(d.store, d.table, 2 * r - 1, d.columns, d.invert, d.picture.row(r) + 1, d.landing);
  }
}

// Display rows first .. last of a band, their event pass done: the workers compute the rows
// that land on the surface straight into the picture's rows, then every row of the band is
// marked drawn, the parts past the surface's edges clipped.
void draw_band(const PaintSources& src, const GreyTable& table, int width, std::int64_t first,
               std::int64_t last, std::uint64_t row_cost) {
  const int count = (width + 1) / 2;  // display columns 1..ceil(W/2)
  if (count <= 0) return;
  // Read after the pump: an invert or a new store during the pump applies from here on.
  const PictureRows picture = src.tk.picture_rows();
  const RowDrawing d{src.store,
                     table,
                     std::min(width, src.store.width()),
                     static_cast<std::uint8_t>(src.invimage == kTrue ? 0xFF : 0x00),
                     picture,
                     std::min(count, picture.width - 1)};
  const std::int64_t last_landing = std::min<std::int64_t>(last, picture.height - 1);
  if (!picture.empty() && d.landing > 0 && first <= last_landing) {
    run_band(src.workers, src.bands, first, last_landing, row_cost,
             [&d](int, std::int64_t from, std::int64_t to) { draw_band_rows(d, from, to); });
  }
  src.tk.drawn_rows(1, static_cast<int>(first), static_cast<int>(last - first + 1), count);
}

// Draws source rows 1, 3, 5, ... up to `rowbound` at display rows 1, 2, 3, ... in bands, each
// after its progress and one event pass; false when the program was told to end during a pass.
bool draw_rows(const PaintSources& src, const GreyTable& table, int width, int length,
               int rowbound) {
  const int rows = rowbound / 2;  // display rows 1..rows
  // A display row reads about one stored row: its bytes measure the row's work.
  const auto row_cost =
      static_cast<std::uint64_t>(std::max(width, 0)) * valuebytes(src.store.kind());
  const std::int64_t per_band = band_rows(src.bands, rows, row_cost);
  for (std::int64_t first = 1; first <= rows; first += per_band) {
    const std::int64_t last = std::min<std::int64_t>(rows, first + per_band - 1);
    const double progress = length > 0 ? (2.0 * static_cast<double>(last)) / length : 1.0;
    src.tk.set_progress_value(static_cast<float>(progress));
    src.tk.pump_events();
    if (src.ending) return false;
    draw_band(src, table, width, first, last, row_cost);
  }
  return true;
}

// The line of a picture whose memory could not be had.
std::string no_picture_memory(int width, int height) {
  return "[error] not enough memory for a" + numtext(width) + " x" + numtext(height) + " picture";
}

}  // namespace

std::int16_t paintimage(App& app) {
  const int width = app.header.imagewidth;
  const int length = app.header.imagelength;
  // When the memory for the surface cannot be had, the surface still shows the picture it
  // had, which need not be the image in the store, so the header stops counting as valid:
  // no read-out or refresh then takes values from a store the picture does not show. The
  // next load sets it again.
  if (!app.tk.set_picture_size(half_size(width), half_size(length))) {
    close_image_files(app.files);
    app.header.headervalid = kFalse;
    addmessage(app, no_picture_memory(half_size(width), half_size(length)));
    return 0;
  }
  app.tk.set_picture_unit_pixels();
  app.stime = app.tk.clock();
  if (app.bestfits == kTrue) bestfit(app);
  const int max = app.tk.slider_value(Slider::image_max);
  const int min = app.tk.slider_value(Slider::image_min);
  const int divisor = depthdivisor(app.header.bitspersample[1]);
  if (divisor == 0) {
    app.tk.message_box("code error - please report", kProgramTitle, Icon::critical, MsgButtons::ok);
    return 0;
  }
  // Every value the depth can store: 0..255 x divisor + divisor - 1.
  const GreyTable table(GreyMap::make(min, max, divisor), 256 * divisor - 1);
  // The surface's own height bounds the rows; it cannot exceed half of a 16-bit length.
  const int rowbound = 2 * std::clamp(app.tk.picture_height(), 0, 32767);
  const PaintSources sources{app.tk, app.store, app.invimage, app.ending, app.workers, app.bands};
  if (!draw_rows(sources, table, width, length, rowbound)) {
    close_image_files(app.files);
    return 0;
  }
  close_image_files(app.files);
  feed_chart(app.tk, app.histogram);
  addmessage(app, "image painted");
  elapsedtime(app);
  return 0;
}

void refresh_button_Click(App& app) {
  if (app.busy == kTrue) {
    addmessage(app, "[error] busy");
    return;
  }
  app.busy = kTrue;
  if (app.header.headervalid != 0) {
    changebutton(app, Button::refresh_button, kTrue);
    if (app.bestfits == kTrue) bestfit(app);
    paintimage(app);
    changebutton(app, Button::refresh_button, kFalse);
  } else {
    app.tk.message_box("No image to refresh", kProgramTitle, Icon::exclamation, MsgButtons::ok);
  }
  app.busy = kFalse;
}

}  // namespace vtr
