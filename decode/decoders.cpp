#include "decode/decoders.h"

#include <bit>

#include "decode/rows.h"

namespace vtr {

namespace {

// A row layout's unpacking bound to the store's row of value type T.
template <class T, void (*Unpack)(const std::uint8_t*, T*, std::int64_t, HistogramCounts&)>
void intostore(const std::uint8_t* bytes, PixelStore& store, std::int64_t row,
               HistogramCounts& bins) {
  Unpack(bytes, store.row<T>(row), store.width(), bins);
}

// The counting of a row that was read into the store as it is.
template <class T, void (*Count)(const T*, std::int64_t, HistogramCounts&)>
void countstored(const std::uint8_t*, PixelStore& store, std::int64_t row, HistogramCounts& bins) {
  Count(store.row<T>(row), store.width(), bins);
}

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

}  // namespace

DecodeResult getimagegray8(App& app, std::int16_t p, const RowProgress& progress) {
  const RowLayout layout{"reading 8 bit image from file",
                         rowbytesgray8(app.header.imagewidth),
                         true,
                         StoreKind::grey8,
                         countstored<std::uint8_t, countgray8>,
                         true};
  return decodeimage(app, p, layout, progress);
}

DecodeResult getimagegray12(App& app, std::int16_t p, const RowProgress& progress) {
  const RowLayout layout{"reading 12 bit image from file", rowbytesgray12(app.header.imagewidth),
                         false, StoreKind::grey16, intostore<std::uint16_t, unpackgray12>};
  return decodeimage(app, p, layout, progress);
}

DecodeResult getimagegray16(App& app, std::int16_t p, const RowProgress& progress) {
  // A file in the processor's own byte order holds its rows as the store keeps them.
  const bool mm = app.header.mmorder == kTrue;
  const bool asstored = mm != kLittleEndian;
  const UnpackRow unpack = asstored ? countstored<std::uint16_t, countgray16>
                           : mm     ? intostore<std::uint16_t, unpackgray16<true>>
                                    : intostore<std::uint16_t, unpackgray16<false>>;
  const RowLayout layout{"reading 16 bit image from file",
                         rowbytesgray16(app.header.imagewidth),
                         true,
                         StoreKind::grey16,
                         unpack,
                         asstored};
  return decodeimage(app, p, layout, progress);
}

DecodeResult getimagergb8(App& app, std::int16_t p, const RowProgress& progress) {
  const RowLayout layout{"reading 8 bit rgb image from file", rowbytesrgb8(app.header.imagewidth),
                         false, StoreKind::rgb8, intostore<std::uint8_t, unpackrgb8>};
  return decodeimage(app, p, layout, progress);
}

StoreKind storekindfor(const ImageHeader& h) {
  if (h.bitspersample[1] != 8) return StoreKind::grey16;
  return h.photometric == 2 ? StoreKind::rgb8 : StoreKind::grey8;
}

}  // namespace vtr
