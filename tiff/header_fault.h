// The ways a header parse fails, and the error line each one writes.
#pragma once

#include <string_view>

namespace vtr {

enum class HeaderFault {
  none,
  // Refusals of a readable header.
  unknown_byte_order,  // bytes 0-1 are neither "II" nor "MM"
  not_tiff,            // bytes 2-3 are not 42
  compression,         // Compression other than 1 (uncompressed)
  photometric,         // PhotometricInterpretation other than 0, 1 or 2
  multiple_ifds,       // the first IFD's next-IFD offset is not 0
  // Faults: the header cannot be read.
  header_past_end,      // the file is shorter than the 8-byte header
  number_too_big,       // bytes 2-3 give a number above 32767
  ifd_past_end,         // the IFD's entry count lies beyond the end of the file
  entry_count_too_big,  // the IFD's entry count is above 32767
  entry_past_end,       // a 12-byte entry lies beyond the end of the file
  next_ifd_past_end,    // the next-IFD offset lies beyond the end of the file
  value_too_big,        // a value for a 16-bit field is above 32767
  list_count_too_big,   // the count of a list or text is above 32767
  too_many_values,      // a 4th BitsPerSample value, a 1025th strip offset or byte count
  values_past_end,      // a list, text, rational or date lies beyond the end of the file
  values_used_up,       // the lists and texts of the file pass kMaxHeaderValues
  no_strips,            // strips per image with a RowsPerStrip of 0 or an overflowing sum
  zero_denominator,     // a resolution's denominator is 0
};

// The warning of an Orientation other than 1, which lets the walk go on.
inline constexpr std::string_view kOrientationWarning =
    "[error] image will not be displayed with the correct orientation";

// The error line written for `fault` (empty for none). Every fault of the last group writes
// the same line.
std::string_view faulttext(HeaderFault fault);

}  // namespace vtr
