#include "ui/qt/shortcuts.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "ui/qt/form1.h"

namespace vtr::qt {

namespace {

constexpr KeyBinding kKeys[] = {
    {Button::getimage_button, "Ctrl+O"},   {Button::getheader_button, "Ctrl+Shift+H"},
    {Button::refresh_button, "F5"},        {Button::imageinvert, "Ctrl+I"},
    {Button::Command8, "Ctrl+B"},          {Button::printbutton, "Ctrl+P"},
    {Button::copy_button, "Ctrl+Shift+C"}, {Button::help_button, "F1"},
    {Button::Command1, "Ctrl+Q"},
};

}  // namespace

std::span<const KeyBinding> key_bindings() {
  return kKeys;
}

void install_shortcuts(Form1& window) {
  for (const KeyBinding& k : kKeys) {
    QPushButton* button = window.button(k.button);
    const QKeySequence key(QLatin1String(k.key), QKeySequence::PortableText);
    auto* shortcut = new QShortcut(key, &window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    const QString named = key.toString(QKeySequence::NativeText);
    const QString tip = button->toolTip().isEmpty() ? button->text().trimmed() : button->toolTip();
    button->setToolTip(tip + QStringLiteral(" (") + named + QLatin1Char(')'));
  }
}

}  // namespace vtr::qt
