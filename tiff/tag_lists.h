// The tags whose values are lists, rationals or texts read from elsewhere in the file.
#pragma once

#include <cstdint>
#include <string_view>

#include "tiff/tags.h"

namespace vtr {

// BitsPerSample: one value in the entry, or up to 3 SHORTs at the value offset.
TagOutcome bitspersampletag(App& app, const IfdEntry& e, std::int16_t p);
// StripOffsets: one offset in the entry, or up to 1024 at the value offset.
TagOutcome stripoffsetstag(App& app, const IfdEntry& e, std::int16_t p);
// StripByteCounts: strips per image from imagelength and rowsperstrip, then the byte counts.
TagOutcome stripbytecountstag(App& app, const IfdEntry& e, std::int16_t p);
// XResolution, YResolution: a RATIONAL at the value offset; a zero denominator is a fault.
TagOutcome resolutiontag(App& app, const IfdEntry& e, std::int16_t p, double& field,
                         std::string_view label);
// Software: `count` bytes at the value offset, kept as printable ASCII.
TagOutcome softwaretag(App& app, const IfdEntry& e, std::int16_t p);
// DateTime: the 20 bytes at the value offset.
TagOutcome datetag(App& app, const IfdEntry& e, std::int16_t p);

}  // namespace vtr
