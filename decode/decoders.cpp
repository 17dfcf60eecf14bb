#include "decode/decoders.h"

#include "decode/decoder_frame.h"
#include "decode/rows.h"

namespace vtr {

DecodeResult getimagegray8(App& app, std::int16_t p, const RowProgress& progress) {
  const RowLayout layout{"reading 8 bit image from file", rowbytesgray8(app.header.imagewidth),
                         true};
  return decodeimage(app, p, layout, progress, unpackgray8<false>, unpackgray8<true>);
}

DecodeResult getimagegray12(App& app, std::int16_t p, const RowProgress& progress) {
  const RowLayout layout{"reading 12 bit image from file", rowbytesgray12(app.header.imagewidth),
                         false};
  return decodeimage(app, p, layout, progress, unpackgray12<false>, unpackgray12<true>);
}

DecodeResult getimagegray16(App& app, std::int16_t p, const RowProgress& progress) {
  const RowLayout layout{"reading 16 bit image from file", rowbytesgray16(app.header.imagewidth),
                         true};
  if (app.header.mmorder == kTrue)
    return decodeimage(app, p, layout, progress, unpackgray16<true, false>,
                       unpackgray16<true, true>);
  return decodeimage(app, p, layout, progress, unpackgray16<false, false>,
                     unpackgray16<false, true>);
}

DecodeResult getimagergb8(App& app, std::int16_t p, const RowProgress& progress) {
  const RowLayout layout{"reading 8 bit rgb image from file", rowbytesrgb8(app.header.imagewidth),
                         false};
  return decodeimage(app, p, layout, progress, unpackrgb8<false>, unpackrgb8<true>);
}

}  // namespace vtr
