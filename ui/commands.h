// Start-up of the main window and its small commands: copy, print, clear, help, exit and
// the credits label.
#pragma once

#include <string_view>

namespace vtr {

struct App;

inline constexpr std::string_view kProgramTitle = "VantrelTIFFReader";
inline constexpr std::string_view kWelcome = "Welcome to VantrelTIFFReader\r\n";

void form_load(App& app);
void copy_button_Click(App& app);
void printbutton_Click(App& app);
void clear_button_Click(App& app);
void help_button_Click(App& app);
void Command1_Click(App& app);  // exit
void Label9_Click(App& app);    // credits

}  // namespace vtr
