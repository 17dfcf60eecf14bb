#include "display/readout.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "core/numtext.h"
#include "core/program_texts.h"
#include "core/toolkit.h"

namespace vtr {

namespace {

// A doubled position rounded to the nearest whole number, ties to even. Positions that are
// not finite or lie far outside any image come back as -1, which no store contains.
std::int64_t store_index(float position) {
  const float doubled = 2.0f * position;
  const float rounded = std::nearbyint(doubled);  // default rounding mode: ties to even
  if (!std::isfinite(rounded) || std::fabs(rounded) > 1.0e9f) return -1;
  return static_cast<std::int64_t>(rounded);
}

std::string position(std::int64_t column, std::int64_t row) {
  return "Pixel  x=" + numtext(column) + "; y=" + numtext(row);
}

}  // namespace

void picture1_mousedown(App& app, int /*button*/, int /*shift*/, float x, float y) {
  if (app.header.headervalid == 0) {
    app.tk.message_box("No image to interogate", kProgramTitle, Icon::exclamation, MsgButtons::ok);
    return;
  }
  read_stored(app.store, app.lines, store_index(x), store_index(y));
}

bool read_stored(const PixelStore& store, MessageLines& lines, std::int64_t column,
                 std::int64_t row) {
  // A press beyond the stored image (the surface may still have an earlier, larger size
  // while a load runs) reads nothing and says so.
  if (!store.contains(1, column, row)) {
    read_outside(lines, column, row);
    return false;
  }
  lines.error(position(column, row) + "; I=" + numtext(store.at(1, column, row)));
  return true;
}

void read_outside(MessageLines& lines, std::int64_t column, std::int64_t row) {
  lines.error(position(column, row) + "; outside the image");
}

}  // namespace vtr
