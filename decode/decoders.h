// The four row layouts: each reads the open file `p` into the pixel store and histogram,
// telling `progress` of each row, and closes the file. The load driver finishes the load.
#pragma once

#include <cstdint>

#include "decode/decoder_frame.h"

namespace vtr {

DecodeResult getimagegray8(App& app, std::int16_t p, const RowProgress& progress);
DecodeResult getimagegray12(App& app, std::int16_t p, const RowProgress& progress);
DecodeResult getimagegray16(App& app, std::int16_t p, const RowProgress& progress);
DecodeResult getimagergb8(App& app, std::int16_t p, const RowProgress& progress);

// The store a header's image is read into: one byte a value for 8 bits per sample (grey or
// the grey of RGB), two for any other depth.
StoreKind storekindfor(const ImageHeader& h);

// One of the four.
using Decoder = DecodeResult (*)(App&, std::int16_t, const RowProgress&);

}  // namespace vtr
