// Start-up of the main window and its small commands: copy, print, clear, help, exit and
// the credits label.
#pragma once

#include <string_view>

namespace vtr {

struct App;

inline constexpr std::string_view kProgramTitle = "VantrelTIFFReader";
inline constexpr std::string_view kWelcome = "Welcome to VantrelTIFFReader\r\n";
inline constexpr std::string_view kExitQuestion = "Are you sure you wish to exit VantrelTIFFReader";
// The caption of the credits label under the picture.
inline constexpr std::string_view kCreditsLine =
    "(c) 2004 A. Vantrel, Vantrel Institute of Experimental Science";
// The credits message behind the label.
inline constexpr std::string_view kCreditsText =
    "VantrelTIFFReader was created in 2004 by A. Vantrel (a.vantrel@example.org) in the "
    "Department of "
    "Imaging Science (https://imaging.example.org), Vantrel Institute of Experimental Science, "
    "1 Institute Road, Vantrel Park, VT1 2AB.\r\n\r\n"
    "It belongs to the Vantrel family of software, a larger package used for collecting and "
    "analysing experimental data.";

// Brings the flags and controls of the main window into their ready state.
void form_load(App& app);
void copy_button_Click(App& app);
void printbutton_Click(App& app);
void clear_button_Click(App& app);
void help_button_Click(App& app);
void Command1_Click(App& app);  // exit
void Label9_Click(App& app);    // credits

}  // namespace vtr
