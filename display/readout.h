// The read-out of a full-resolution pixel value under a mouse press on the picture.
#pragma once

namespace vtr {

struct App;

void picture1_mousedown(App& app, int button, int shift, float x, float y);

}  // namespace vtr
