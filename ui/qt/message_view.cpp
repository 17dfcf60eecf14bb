#include "ui/qt/message_view.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

namespace vtr::qt {

QString display_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

MessageView::MessageView(const MessageArea& record, QWidget* parent)
    : QPlainTextEdit(parent), record_(record) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
}

void MessageView::show_text(std::string_view text) {
  shown_ = record_.size();
  setPlainText(display_text(text));
}

void MessageView::show_new_front() {
  if (flush_pending_) return;
  flush_pending_ = true;
  QTimer::singleShot(0, this, [this] { flush(); });
}

void MessageView::flush() {
  flush_pending_ = false;
  const std::size_t size = record_.size();
  if (size <= shown_) return;
  const std::string front = record_.front(size - shown_);
  shown_ = size;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::Start);
  cursor.insertText(display_text(front));
  // The newest line is on top: show it.
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
}

}  // namespace vtr::qt
