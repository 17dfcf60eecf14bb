// Start-up of the main window and its small commands: copy, print, clear, help, exit and
// the credits label.
#pragma once

#include "core/program_texts.h"

namespace vtr {

struct App;

// Brings the flags and controls of the main window into their ready state.
void form_load(App& app);
void copy_button_Click(App& app);
void printbutton_Click(App& app);
void clear_button_Click(App& app);
void help_button_Click(App& app);
void Command1_Click(App& app);  // exit
void Label9_Click(App& app);    // credits

}  // namespace vtr
