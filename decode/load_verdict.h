// What a load of a parsed TIFF header comes to, decided from the records alone, before a
// pixel is read: the checks the load driver makes between the header and the decoder, and,
// for a file of a known size, whether the strips the decoder walks lie inside the file. The
// load driver and the command line's file report both reach the same checks here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/image_header.h"
#include "core/pixel_kinds.h"
#include "decode/store_memory.h"
#include "tiff/header_result.h"

namespace vtr {

// The lines the decoders write for rows the file lacks, each at most once a load.
inline constexpr std::string_view kCutShortLine =
    "[error] image data cut short - missing pixels read as 0";
inline constexpr std::string_view kMissingStripsLine =
    "[error] strip offsets missing - missing strips read as 0";

// The check that ends a load after its header was parsed, in the order the driver makes them.
enum class LoadRefusal {
  none,       // a decoder reads the image
  header,     // the parser refused the header for what it says: the load ends at once
  no_strips,  // an accepted header without strip offsets (a tiled file, say)
  size,       // a negative width or length
  memory,     // the load would take more than its limit
  unusable,   // the parse failed part way or met a second IFD (the parser wrote why)
  layout,     // no decoder reads this depth and photometric setting
};

// The first check that refuses a load of `header`, as the parse that gave `result` left it,
// held to `limit`.
LoadRefusal refusal_for(const HeaderResult& result, const ImageHeader& header,
                        const LoadLimit& limit);

// True for a refusal made before anything of the old image is given up: the store, the
// histogram and the picture stay as they were.
bool keeps_old_image(LoadRefusal refusal);

// The error line the load driver writes for a refusal of its own (no strips, size, memory,
// layout); empty for the others, whose line the parser writes.
std::string refusal_line(LoadRefusal refusal, const ImageHeader& header);

// The line of the first rows that a decode of `kind` would find missing in a file of
// `file_size` bytes, walking the header's strips as the decoders do (kMissingStripsLine for a
// strip without an offset, kCutShortLine for one that runs past the end); empty when every
// row lies in the file.
std::string_view missing_rows_line(const ImageHeader& header, const PixelKind& kind,
                                   std::uint64_t file_size);

enum class LoadVerdict { shows, shows_with_rows_missing, refused };

struct LoadForecast {
  LoadVerdict verdict = LoadVerdict::refused;
  // The first error line of a load that does not simply show: the parser's, the driver's or
  // the decoders' (empty for shows).
  std::string error;
};

// What get image does with a file of `file_size` bytes whose header parsed to `result` and
// `header`, held to `limit`.
LoadForecast forecast_load(const HeaderResult& result, const ImageHeader& header,
                           std::uint64_t file_size, const LoadLimit& limit);

// The verdict in words: "shows", "shows with rows missing", "refused".
std::string_view verdict_words(LoadVerdict verdict);

}  // namespace vtr
