// Runs the header parser over assembled TIFF bytes and reads back the message area.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/app.h"
#include "decode/getheader.h"
#include "decode/header_summary.h"
#include "tests/support/tiff_builder.h"

namespace vtr::test {

// Writes `bytes` to a temporary file, opens it under the next free file number, parses its
// header, shows its summary boxes as the load driver does and closes it again. Returns the
// result as a number (headernumber).
inline std::int16_t parse_header(App& app, const Bytes& bytes) {
  TempFile file(bytes);
  const std::int16_t p = app.files.next_free();
  app.files.open(p, file.path());
  const HeaderResult result = getheader(app, p);
  show_summary(app.tk, result.summary);
  app.files.close(p);
  return headernumber(result);
}

// The message area's lines in the order they were written (oldest first).
inline std::vector<std::string> lines_written(const App& app) {
  const std::string text = app.messages.text();
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.insert(lines.begin(), text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace vtr::test
