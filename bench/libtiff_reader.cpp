#include "bench/libtiff_reader.h"

#include <tiffio.h>

#include <cstdint>
#include <vector>

#include "core/row_unpack.h"

namespace vtr::bench {

namespace {

void countrow(const std::uint8_t* b, std::uint32_t width, std::uint16_t bits, std::uint16_t spp,
              HistogramCounts& bins) {
  if (spp == 3) {
    for (std::uint32_t x = 0; x < width; ++x) {
      ++bins[static_cast<std::size_t>(greyofrgb(b[3 * x], b[3 * x + 1], b[3 * x + 2]))];
    }
  } else if (bits == 8) {
    for (std::uint32_t x = 0; x < width; ++x) ++bins[b[x]];
  } else if (bits == 16) {
    // libtiff hands 16-bit samples over in the machine's byte order.
    const auto* s = reinterpret_cast<const std::uint16_t*>(b);
    for (std::uint32_t x = 0; x < width; ++x) ++bins[s[x] >> 8];
  } else {  // 12-bit, packed as a bit stream: the top 8 bits of each sample
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t* pair = b + 3 * (x / 2);
      ++bins[x % 2 == 0 ? pair[0] : ((pair[1] & 0x0F) << 4) | (pair[2] >> 4)];
    }
  }
}

}  // namespace

bool libtiffhistogram(const std::string& path, HistogramCounts& bins) {
  bins.fill(0);
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (tif == nullptr) return false;
  std::uint32_t width = 0;
  std::uint32_t length = 0;
  std::uint16_t bits = 8;
  std::uint16_t spp = 1;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &length);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(TIFFScanlineSize64(tif)));
  bool ok = true;
  for (std::uint32_t y = 0; y < length && ok; ++y) {
    ok = TIFFReadScanline(tif, buffer.data(), y, 0) == 1;
    if (ok) countrow(buffer.data(), width, bits, spp, bins);
  }
  TIFFClose(tif);
  return ok;
}

}  // namespace vtr::bench
