// The start of the window. The window and the window system it links live in a private
// library beside the program, loaded only when the window is asked for: the commands of the
// command line run without it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "ui/command_line.h"

namespace vtr {

// The window library's entry point, by this name: `argc` and `argv` as the window system
// takes them (the program's name, then the window system's options), `file` the FILE to open
// once the window is up (nullptr: none). Returns the program's exit status.
using WindowMain = int(int argc, char** argv, const char* file);
inline constexpr const char* kWindowMainName = "vtr_window_main";

// `relative` (a path from the program's own folder) as a full path, the program's folder
// taken from the running program itself; empty when the system cannot say where that is.
std::string beside_program(std::string_view relative);

// Loads the window library `library` and runs its window with the command line's window
// options and FILE (as a full path, its bytes kept); `program` is the program's name as it
// was started. Returns the exit status; 1, after one line on `err`, when the library cannot
// be loaded.
int start_window(const std::string& library, const char* program, const CommandLine& line,
                 std::ostream& err);

}  // namespace vtr
