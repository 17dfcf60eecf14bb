// The read-out of a full-resolution pixel value under a mouse press on the picture.
#pragma once

#include <cstdint>

namespace vtr {

struct App;

void picture1_mousedown(App& app, int button, int shift, float x, float y);

// Writes the read-out line of store column `column`, row `row`: "Pixel  x= X; y= Y; I= V"
// with the value stored there, or the outside line when the store has no such position.
// True when a value was written.
bool readstored(App& app, std::int64_t column, std::int64_t row);
// The read-out line of a position that lies outside the image: "Pixel  x= X; y= Y; outside
// the image".
void readoutside(App& app, std::int64_t column, std::int64_t row);

}  // namespace vtr
