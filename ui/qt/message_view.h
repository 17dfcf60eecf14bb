// Text1: the message area as a read-only, unwrapped multi-line box.
//
// The box keeps the exact text (CR LF line ends) beside what it shows. Lines put in front
// are gathered and shown together at the next event pump, so a burst of thousands of lines
// costs one insertion at the top of the document, never a reset of the whole text.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_area.h"

namespace vtr::qt {

class MessageView : public QPlainTextEdit {
 public:
  explicit MessageView(QWidget* parent = nullptr);

  std::string text() const { return text_.text(); }
  void set_text(std::string_view text);
  void prepend(std::string_view text);
  // Shows what was put in front since the last flush.
  void flush();

 private:
  MessageArea text_;
  std::vector<std::string> pending_;  // oldest first
  bool flush_pending_ = false;
};

// The text as the box shows it: CR LF pairs become line breaks.
QString display_text(std::string_view text);

}  // namespace vtr::qt
