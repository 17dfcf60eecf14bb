#include "decode/load_verdict.h"

#include <algorithm>

#include "core/numtext.h"
#include "decode/decoders.h"

namespace vtr {

LoadRefusal refusal_for(const HeaderResult& result, const ImageHeader& header,
                        const LoadLimit& limit) {
  if (result.rejected()) return LoadRefusal::header;
  // A header that failed part way has said why already; only an accepted one is held to its
  // strips.
  if (result.accepted() && header.stripoffsetcount == 0) return LoadRefusal::no_strips;
  if (header.imagewidth < 0 || header.imagelength < 0) return LoadRefusal::size;
  if (!load_fits(limit, header.imagewidth, header.imagelength, storekindfor(header))) {
    return LoadRefusal::memory;
  }
  if (!result.accepted()) return LoadRefusal::unusable;
  if (pixel_kind_for(header.bitspersample[1], header.photometric) == nullptr) {
    return LoadRefusal::layout;
  }
  return LoadRefusal::none;
}

bool keeps_old_image(LoadRefusal refusal) {
  return refusal == LoadRefusal::header || refusal == LoadRefusal::no_strips ||
         refusal == LoadRefusal::size || refusal == LoadRefusal::memory;
}

std::string refusal_line(LoadRefusal refusal, const ImageHeader& header) {
  const std::string size = numtext(header.imagewidth) + " x" + numtext(header.imagelength);
  switch (refusal) {
    case LoadRefusal::no_strips:
      return "[error] tiled or strip-less TIFF - cannot read image";
    case LoadRefusal::size:
      return "[error] image size" + size + " out of range";
    case LoadRefusal::memory:
      return "[error] not enough memory for a" + size + " image";
    case LoadRefusal::layout:
      return "[error] not a 8 bit RGB or Grayscale 8, 12 or 16 bit image";
    default:
      return {};
  }
}

std::string_view missing_rows_line(const ImageHeader& header, const PixelKind& kind,
                                   std::uint64_t file_size) {
  const std::int64_t length = header.imagelength;
  // Rows per strip below 1 make the whole image one strip, as the decoders read it.
  const std::int64_t rowsperstrip =
      header.rowsperstrip >= 1 ? header.rowsperstrip : std::max<std::int64_t>(length, 1);
  const auto rowbytes = static_cast<std::uint64_t>(kind.row_bytes(header.imagewidth));
  std::int64_t row = 0;
  for (std::int64_t s = 1; row < length; ++s) {
    const std::int64_t rows = std::min(rowsperstrip, length - row);
    row += rows;
    if (s > kMaxStrips || s > header.stripoffsetcount) return kMissingStripsLine;
    // Offsets are read unsigned, as the decoders do.
    const std::uint64_t offset =
        static_cast<std::uint32_t>(header.stripoffsets[static_cast<std::size_t>(s)]);
    if (rowbytes > 0 && offset + static_cast<std::uint64_t>(rows) * rowbytes > file_size) {
      return kCutShortLine;
    }
  }
  return {};
}

LoadForecast forecast_load(const HeaderResult& result, const ImageHeader& header,
                           std::uint64_t file_size, const LoadLimit& limit) {
  const LoadRefusal refusal = refusal_for(result, header, limit);
  // A parse that failed wrote its line first, whatever refuses the load after it.
  if (!result.accepted()) return {LoadVerdict::refused, std::string(faulttext(result.fault))};
  if (refusal != LoadRefusal::none) return {LoadVerdict::refused, refusal_line(refusal, header)};
  const PixelKind& kind = *pixel_kind_for(header.bitspersample[1], header.photometric);
  const std::string_view missing = missing_rows_line(header, kind, file_size);
  if (missing.empty()) return {LoadVerdict::shows, {}};
  return {LoadVerdict::shows_with_rows_missing, std::string(missing)};
}

std::string_view verdict_words(LoadVerdict verdict) {
  switch (verdict) {
    case LoadVerdict::shows:
      return "shows";
    case LoadVerdict::shows_with_rows_missing:
      return "shows with rows missing";
    case LoadVerdict::refused:
      break;
  }
  return "refused";
}

}  // namespace vtr
