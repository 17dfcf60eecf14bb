#include "ui/qt/dialog_popups.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QWidget>

namespace vtr::qt {

namespace {

void close_if_shown(QWidget* popup) {
  if (popup && popup->isVisible()) popup->close();
}

// Closes every popup that `dialog` owns and that shows.
void close_popups_of(QWidget& dialog) {
  // A completer's list is a window without a parent: only its completer leads to it.
  for (QCompleter* completer : dialog.findChildren<QCompleter*>())
    close_if_shown(completer->popup());
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    if (child->windowType() == Qt::Popup) close_if_shown(child);
  }
}

// Closes the popups of the dialog it watches as the dialog hides.
class PopupCloser : public QObject {
 public:
  explicit PopupCloser(QWidget& dialog) : QObject(&dialog), dialog_(dialog) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &dialog_ && event->type() == QEvent::Hide) close_popups_of(dialog_);
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& dialog_;
};

}  // namespace

void close_popups_with(QWidget& dialog) {
  dialog.installEventFilter(new PopupCloser(dialog));
}

}  // namespace vtr::qt
