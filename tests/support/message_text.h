// The message area's text read back as lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vtr::test {

using Lines = std::vector<std::string>;

// The lines of `text` in the order they stand, each ended by CR LF; a last line without CR LF
// counts too.
Lines crlf_lines(std::string_view text);

// The lines of a message-area text, which holds the newest line first, oldest first: the
// order they were written in.
Lines lines_oldest_first(std::string_view text);

// True when one of `lines` is `line`.
bool has_line(const Lines& lines, std::string_view line);

// How many of `lines` begin with `prefix`.
int count_lines(const Lines& lines, std::string_view prefix);

}  // namespace vtr::test
