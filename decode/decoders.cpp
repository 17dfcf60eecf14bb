#include "decode/decoders.h"

#include "decode/decoder_frame.h"
#include "decode/rows.h"

namespace vtr {

namespace {

// The row unpackers as the frame calls them: unpack(stream, bytes, storerow, width, bins),
// with `stream` std::true_type or std::false_type.
constexpr auto gray8 = [](auto stream, const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                          HistogramCounts& bins) {
  unpackgray8<decltype(stream)::value>(b, sr, w, bins);
};
constexpr auto gray12 = [](auto stream, const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                           HistogramCounts& bins) {
  unpackgray12<decltype(stream)::value>(b, sr, w, bins);
};
template <bool MM>
constexpr auto gray16 =
    [](auto stream, const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
       HistogramCounts& bins) { unpackgray16<MM, decltype(stream)::value>(b, sr, w, bins); };
constexpr auto rgb8 = [](auto stream, const std::uint8_t* b, std::int32_t* sr, std::int64_t w,
                         HistogramCounts& bins) {
  unpackrgb8<decltype(stream)::value>(b, sr, w, bins);
};

}  // namespace

std::int16_t getimagegray8(App& app, std::int16_t p) {
  const RowLayout layout{"reading 8 bit image from file", rowbytesgray8(app.header.imagewidth),
                         true};
  return decodeimage(app, p, layout, gray8);
}

std::int16_t getimagegray12(App& app, std::int16_t p) {
  const RowLayout layout{"reading 12 bit image from file", rowbytesgray12(app.header.imagewidth),
                         false};
  return decodeimage(app, p, layout, gray12);
}

std::int16_t getimagegray16(App& app, std::int16_t p) {
  const RowLayout layout{"reading 16 bit image from file", rowbytesgray16(app.header.imagewidth),
                         true};
  if (app.header.mmorder == kTrue) return decodeimage(app, p, layout, gray16<true>);
  return decodeimage(app, p, layout, gray16<false>);
}

std::int16_t getimagergb8(App& app, std::int16_t p) {
  const RowLayout layout{"reading 8 bit rgb image from file", rowbytesrgb8(app.header.imagewidth),
                         false};
  return decodeimage(app, p, layout, rgb8);
}

}  // namespace vtr
