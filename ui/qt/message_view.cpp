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

MessageView::MessageView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
}

void MessageView::set_text(std::string_view text) {
  text_.replace(text);
  pending_.clear();
  setPlainText(display_text(text));
}

void MessageView::prepend(std::string_view text) {
  text_.prepend(text);
  pending_.emplace_back(text);
  if (flush_pending_) return;
  flush_pending_ = true;
  QTimer::singleShot(0, this, [this] { flush(); });
}

void MessageView::flush() {
  flush_pending_ = false;
  if (pending_.empty()) return;
  std::string front;
  for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) front += *it;
  pending_.clear();
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::Start);
  cursor.insertText(display_text(front));
  // The newest line is on top: show it.
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
}

}  // namespace vtr::qt
