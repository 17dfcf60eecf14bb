// Start-up of the main window and its small commands: copy, print, clear, help, exit and
// the credits label; and the ready state again after a task was stopped by a fault.
#pragma once

#include <string_view>

#include "core/message_lines.h"
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

// Ends a task that a fault stopped half-way (a failed allocation or another exception that
// escaped it), wherever it stood: the image files are closed, the
// progress bar and the task buttons are back at rest, busy is cleared and the line
// "[error] <reason> - task stopped" is written. Whatever the task had not finished may be
// half made, so the header stops counting as valid: no read-out or refresh takes values
// from a store that may not hold the image. The next load sets it again.
void stoptask(App& app, std::string_view reason);
// The same fault in a command that ran while a task let the window's events run (a click
// during a load): the task goes on and restores the state itself when it ends, so only the
// line "[error] <reason> - command stopped" is written to `lines`.
void stop_command(MessageLines& lines, std::string_view reason);

}  // namespace vtr
