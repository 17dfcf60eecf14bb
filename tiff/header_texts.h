// The texts of a TIFF header that the window shows nowhere, as the file holds them: the
// ImageDescription (where ImageJ and OME keep their metadata) and the Software text before
// the window's replacement of unprintable bytes. A parse reads them only when asked to.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vtr {

// The most bytes of one text that are kept; a longer text is cut there.
inline constexpr std::size_t kMaxKeptText = std::size_t{16} << 20;

struct HeaderTexts {
  // Each text up to its first zero byte (TIFF's ASCII terminator), whatever bytes it holds;
  // empty when the file has no such tag or the parse did not reach it.
  std::optional<std::string> description;  // ImageDescription, tag 270
  std::optional<std::string> software;     // Software, tag 305
};

}  // namespace vtr
