// The walk over the TIFF file header and the first IFD.
#pragma once

#include <cstdint>

#include "tiff/header_parse.h"

namespace vtr {

// Parses the header of the parse's file into its header record, writing only lines: the
// verdict, the fault and the summary fields come back in the result. The record's
// headervalid is left as the parse starts it (false).
HeaderResult parseheader(HeaderParse& parse);

// The result as a number: 1 for a file refused for its byte order, TIFF number or
// compression, 2 for its photometric setting, 0 otherwise (accepted, a fault, a second IFD).
std::int16_t headernumber(const HeaderResult& result);

}  // namespace vtr
