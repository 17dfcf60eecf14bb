#include "core/pixel_kinds.h"

namespace vtr {

namespace {

constexpr RowUnpacking kGrey8{.unpack = unpack_into_store<std::uint8_t, unpackgray8>};
constexpr RowUnpacking kGrey12{.unpack = unpack_into_store<std::uint16_t, unpackgray12>};
constexpr RowUnpacking kRgb8{.unpack = unpack_into_store<std::uint8_t, unpackrgb8>};
constexpr RowUnpacking kGrey16Ii{.unpack = unpack_into_store<std::uint16_t, unpackgray16<false>>};
constexpr RowUnpacking kGrey16Mm{.unpack = unpack_into_store<std::uint16_t, unpackgray16<true>>};

// First match wins. 12-bit samples are a bit stream and RGB samples single bytes: their rows
// read the same in either byte order.
constexpr PixelKind kPixelKinds[] = {
    {.bitspersample = 8,
     .photometric = 1,
     .store = StoreKind::grey8,
     .divisor = 1,
     .reading = "reading 8 bit image from file",
     .reports_read = true,
     .row_bytes = rowbytesgray8,
     .ii = kGrey8,
     .mm = kGrey8},
    {.bitspersample = 8,
     .photometric = 2,
     .store = StoreKind::rgb8,
     .divisor = 1,
     .reading = "reading 8 bit rgb image from file",
     .reports_read = false,
     .row_bytes = rowbytesrgb8,
     .ii = kRgb8,
     .mm = kRgb8},
    {.bitspersample = 12,
     .photometric = 1,
     .store = StoreKind::grey16,
     .divisor = 16,
     .reading = "reading 12 bit image from file",
     .reports_read = false,
     .row_bytes = rowbytesgray12,
     .ii = kGrey12,
     .mm = kGrey12},
    {.bitspersample = 16,
     .photometric = 1,
     .store = StoreKind::grey16,
     .divisor = 256,
     .reading = "reading 16 bit image from file",
     .reports_read = true,
     .row_bytes = rowbytesgray16,
     .ii = kGrey16Ii,
     .mm = kGrey16Mm},
};

}  // namespace

std::span<const PixelKind> pixel_kinds() {
  return kPixelKinds;
}

const PixelKind* pixel_kind_for(int bitspersample, int photometric) {
  for (const PixelKind& k : kPixelKinds) {
    if (k.bitspersample == bitspersample && k.photometric == photometric) return &k;
  }
  return nullptr;
}

const PixelKind* pixel_kind_of_depth(int bitspersample) {
  for (const PixelKind& k : kPixelKinds) {
    if (k.bitspersample == bitspersample) return &k;
  }
  return nullptr;
}

}  // namespace vtr
