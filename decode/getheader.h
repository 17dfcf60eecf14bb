// The get-header step of a load: the header parse over the App's records.
#pragma once

#include <cstdint>

#include "tiff/getheader.h"

namespace vtr {

struct App;

// parseheader of the open file `p` into app.header, its lines in app's message area (the
// dump shown only while showtext is on). Sets headervalid: true when accepted, and when
// refused for compression or photometric setting (the load driver clears it then); false
// otherwise.
HeaderResult getheader(App& app, std::int16_t p);

}  // namespace vtr
