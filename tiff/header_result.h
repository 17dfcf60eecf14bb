// What one header parse comes to: its verdict, the fault when it refused the file, and the
// values of the window's summary boxes that it read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tiff/header_fault.h"

namespace vtr {

// The summary fields a parse read; a field whose tag the file lacks (or that the parse did
// not reach) is empty.
struct HeaderSummary {
  std::optional<std::int16_t> bitspersample;  // from a BitsPerSample of one value only
  std::optional<std::int16_t> photometric;    // shown as the image type
  std::optional<std::int16_t> width;
  std::optional<std::int16_t> length;
  std::optional<std::string> date;  // the DateTime text up to its first zero byte
};

enum class Verdict { accepted, refused };

struct HeaderResult {
  Verdict verdict = Verdict::refused;
  HeaderFault fault = HeaderFault::none;  // why the file was refused; none when accepted
  HeaderSummary summary;

  bool accepted() const { return verdict == Verdict::accepted; }
  // True when the file was refused for what its header says (byte order, TIFF number,
  // compression, photometric setting), rather than because it could not be read whole or
  // holds a second IFD: the load then ends at once.
  bool rejected() const;
};

// The image type shown for a photometric interpretation.
std::string_view imagetype(std::int16_t photometric);

}  // namespace vtr
