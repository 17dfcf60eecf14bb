// The read-out of a full-resolution pixel value under a mouse press on the picture.
#pragma once

#include <cstdint>

#include "core/message_lines.h"
#include "core/pixel_store.h"

namespace vtr {

struct App;

void picture1_mousedown(App& app, int button, int shift, float x, float y);

// Writes to `lines` the read-out line of store column `column`, row `row`: "Pixel  x= X;
// y= Y; I= V" with the value stored there, or the outside line when the store has no such
// position. True when a value was written.
bool read_stored(const PixelStore& store, MessageLines& lines, std::int64_t column,
                 std::int64_t row);
// The read-out line of a position that lies outside the image: "Pixel  x= X; y= Y; outside
// the image".
void read_outside(MessageLines& lines, std::int64_t column, std::int64_t row);

}  // namespace vtr
