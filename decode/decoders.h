// The four decoders: each reads the open file `p` into the pixel store and the histogram,
// showing its progress with one event pass per band of rows, closes the file and finishes the
// load.
#pragma once

#include <cstdint>

#include "core/image_header.h"
#include "core/pixel_kinds.h"

namespace vtr {

struct App;

// How a load or a header read ended.
enum class LoadEnd {
  busy,         // refused with "[error] busy"
  not_opened,   // the file could not be opened (its line written)
  stopped,      // the program was told to end meanwhile
  refused,      // the header or the image was refused (its lines written)
  header_read,  // a header-only read of a header that was accepted
  loaded,       // the image was read and painted
};

// Each reads the open file `p` as an image of its kind (8-, 12- and 16-bit grey, 8-bit RGB):
// the task clock starts, the decoder frame fills app.store, app.rowbuffer and app.histogram
// and sets the header's strips per image, the file is closed. When every row was walked the
// load is finished: the chart, "imagefile read" where the kind reports it, the task time, one
// event pass, the paint. Always 0.
std::int16_t getimagegray8(App& app, std::int16_t p);
std::int16_t getimagegray12(App& app, std::int16_t p);
std::int16_t getimagegray16(App& app, std::int16_t p);
std::int16_t getimagergb8(App& app, std::int16_t p);

// The store a header's image is read into: that of the kind of its depth and photometric
// setting, else of the first kind of its depth (8-bit grey for 8 bits of another photometric
// setting), else two bytes a value.
StoreKind storekindfor(const ImageHeader& h);

}  // namespace vtr
