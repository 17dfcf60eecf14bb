#include "core/message_writer.h"

#include <string>

#include "core/flags.h"
#include "core/toolkit.h"

namespace vtr {

void MessageWriter::dump(std::string_view line) {
  if (dumpshown()) error(line);
}

void MessageWriter::error(std::string_view line) {
  std::string front;
  front.reserve(line.size() + kCrLf.size());
  front.append(line).append(kCrLf);
  area_.prepend(front);
  tk_.prepend_text(TextBox::Text1, front);
}

bool MessageWriter::dumpshown() const {
  return showtext_ == kTrue;
}

void MessageWriter::replace(std::string_view text) {
  area_.replace(text);
  tk_.set_text(TextBox::Text1, text);
}

}  // namespace vtr
