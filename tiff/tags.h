// What each IFD entry means to the viewer: the field of ImageHeader it fills, the dump line
// it writes, the read-out box it sets and the images it refuses.
#pragma once

#include <cstdint>

#include "tiff/tag_values.h"

namespace vtr {

struct App;

enum class TagOutcome {
  go_on,               // the walk reads the next entry
  reject_compression,  // the walk ends with result 1
  reject_photometric,  // the walk ends with result 2
  fault,               // the walk takes its failure path
};

// Interprets one entry of the IFD of the open file `p`, storing its value in app.header.
TagOutcome interprettag(App& app, const IfdEntry& e, std::int16_t p);

}  // namespace vtr
