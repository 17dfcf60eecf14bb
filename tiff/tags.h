// What each IFD entry means to the viewer: the field of ImageHeader it fills, the dump line
// it writes, the read-out box it sets and the images it refuses.
#pragma once

#include "tiff/header_fault.h"
#include "tiff/header_parse.h"
#include "tiff/tag_values.h"

namespace vtr {

// Interprets one entry of the IFD, storing its value in the parse's header record. `none`
// lets the walk read the next entry; a refusal (compression, photometric) or a fault ends it.
HeaderFault interprettag(HeaderParse& parse, const IfdEntry& e);

}  // namespace vtr
