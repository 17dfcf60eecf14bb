// The main window's keys: each presses its button, so it runs the same handler behind the
// same busy guard, and each button's tooltip names its key.
#pragma once

#include <span>

#include "core/toolkit.h"

namespace vtr::qt {

class Form1;

struct KeyBinding {
  Button button;
  const char* key;  // in QKeySequence's portable text form
};

// Every key of the main window, one per button at most.
std::span<const KeyBinding> key_bindings();

// Makes each key press its button while the main window is active, and adds the key to the
// button's tooltip (or gives a button without one its caption and key).
void install_shortcuts(Form1& window);

}  // namespace vtr::qt
