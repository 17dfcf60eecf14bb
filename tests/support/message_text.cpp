#include "tests/support/message_text.h"

#include <algorithm>

namespace vtr::test {

Lines crlf_lines(std::string_view text) {
  Lines lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find("\r\n"), text.size());
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 2, text.size()));
  }
  return lines;
}

Lines lines_oldest_first(std::string_view text) {
  Lines lines = crlf_lines(text);
  std::reverse(lines.begin(), lines.end());
  return lines;
}

bool has_line(const Lines& lines, std::string_view line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int count_lines(const Lines& lines, std::string_view prefix) {
  return static_cast<int>(std::count_if(
      lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

}  // namespace vtr::test
