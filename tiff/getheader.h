// The walk over the TIFF file header and the first IFD.
#pragma once

#include <cstdint>

namespace vtr {

struct App;

// Parses the header of the open file `p` into app.header, writing the header dump through
// dt and error lines through addmessage. Result 0 (accepted, or a fault / second IFD with
// headervalid false), 1 (unknown mark, not 42, or compression rejected) or 2 (photometric
// rejected).
std::int16_t getheader(App& app, std::int16_t p);

}  // namespace vtr
