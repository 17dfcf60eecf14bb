// The message area's writer: the message lines as the window shows them, newest first in the
// area's text and in the toolkit's box `Text1`.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/message_area.h"
#include "core/message_lines.h"

namespace vtr {

class Toolkit;

class MessageWriter final : public MessageLines {
 public:
  // Writes into `area` and the toolkit's message box; dump lines only while `showtext` is
  // true (-1), read at each line.
  MessageWriter(MessageArea& area, Toolkit& tk, const std::int16_t& showtext)
      : area_(area), tk_(tk), showtext_(showtext) {}
  MessageWriter(const MessageWriter&) = delete;
  MessageWriter& operator=(const MessageWriter&) = delete;

  // The line, CR LF, then the old text, only while showtext is on.
  void dump(std::string_view line) override;
  // The line, CR LF, then the old text, whatever showtext says.
  void error(std::string_view line) override;
  bool dumpshown() const override;
  // Replaces the whole text.
  void replace(std::string_view text);

 private:
  MessageArea& area_;
  Toolkit& tk_;
  const std::int16_t& showtext_;
};

}  // namespace vtr
