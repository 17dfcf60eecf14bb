// The tags whose values are lists, rationals or texts read from elsewhere in the file.
#pragma once

#include <cstdint>
#include <string_view>

#include "tiff/tags.h"

namespace vtr {

// BitsPerSample: one value in the entry, or up to 3 SHORTs at the value offset.
HeaderFault bitspersampletag(HeaderParse& parse, const IfdEntry& e);
// StripOffsets: one offset in the entry, or up to 1024 at the value offset.
HeaderFault stripoffsetstag(HeaderParse& parse, const IfdEntry& e);
// StripByteCounts: strips per image from imagelength and rowsperstrip, then the byte counts.
HeaderFault stripbytecountstag(HeaderParse& parse, const IfdEntry& e);
// XResolution, YResolution: a RATIONAL at the value offset; a zero denominator is a fault.
HeaderFault resolutiontag(HeaderParse& parse, const IfdEntry& e, double& field,
                          std::string_view label);
// Software: `count` bytes at the value offset, kept as printable ASCII (and as they stand in
// the parse's texts, when it asks for them).
HeaderFault softwaretag(HeaderParse& parse, const IfdEntry& e);
// ImageDescription: its text kept in the parse's texts, when it asks for them, without a line
// or a fault (the tag is dumped as one the viewer does not process).
void keepdescription(const HeaderParse& parse, const IfdEntry& e);
// DateTime: the 20 bytes at the value offset.
HeaderFault datetag(HeaderParse& parse, const IfdEntry& e);

}  // namespace vtr
