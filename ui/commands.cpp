// Placeholder until the window commands land.
#include "ui/commands.h"
namespace vtr {
void form_load(App&) {}
void copy_button_Click(App&) {}
void printbutton_Click(App&) {}
void clear_button_Click(App&) {}
void help_button_Click(App&) {}
void Command1_Click(App&) {}
void Label9_Click(App&) {}
}  // namespace vtr
