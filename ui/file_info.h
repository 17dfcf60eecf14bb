// The command line's file report (--info): one JSON object a file, with its header's main
// fields and texts and what get image does with it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "decode/file_report.h"

namespace vtr {

// Bytes as text a JSON string can carry: valid UTF-8 as it stands; any other text read as
// Latin-1, each byte the character of its number (a micro sign written as the byte 0xB5
// stays a micro sign).
std::string as_utf8(std::string_view bytes);

// Prints the report of each file as a JSON object, one a line, or all of them as one indented
// array with `pretty`: "path", "byte_order" ("II" or "MM"), "width", "length",
// "bits_per_sample", "photometric", "compression", "strips", "rows_per_strip" (0 where the
// file lacks the tag; each null for a file that is not TIFF or could not be opened),
// "image_description", "software", "date_time" (null where the file lacks the tag),
// "store_bytes", "verdict" and "error" (null for a file that shows). 0 when every file shows,
// 1 otherwise.
int print_file_info(const std::vector<std::string>& files, bool pretty, std::ostream& out);

}  // namespace vtr
