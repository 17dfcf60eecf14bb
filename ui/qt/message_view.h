// Text1: the message area as a read-only, unwrapped multi-line box.
//
// The box shows the App's message record (CR LF line ends as line breaks) and keeps no text
// of its own beyond its document. What the record gained in front is shown at the next event
// pump, so a burst of thousands of lines costs one insertion at the top of the document,
// never a reset of the whole text.
#pragma once

#include <QPlainTextEdit>
#include <cstddef>
#include <string_view>

#include "core/message_area.h"

namespace vtr::qt {

class MessageView : public QPlainTextEdit {
 public:
  explicit MessageView(const MessageArea& record, QWidget* parent = nullptr);

  // The record the box shows.
  const MessageArea& record() const { return record_; }

  // Shows `text`, the record's whole new text, at once.
  void show_text(std::string_view text);
  // The record has new lines in front: they show at the next flush.
  void show_new_front();
  // Shows what the record gained in front since the last flush.
  void flush();

 private:
  const MessageArea& record_;
  std::size_t shown_ = 0;  // the size of the record the document shows
  bool flush_pending_ = false;
};

// The text as the box shows it: CR LF pairs become line breaks.
QString display_text(std::string_view text);

}  // namespace vtr::qt
