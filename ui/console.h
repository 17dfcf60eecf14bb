// The commands of the command line that need no display and start no window: the header
// dump, the file report, the histogram and pixel values, run through the window's own logic
// over a toolkit that draws nothing.
#pragma once

#include <ostream>

#include "ui/command_line.h"

namespace vtr {

// Runs a command that is not the window's: its output goes to `out` (the header dump, the
// reports, the counts, the read-out lines, the help and the version) and `err` (a load's
// error lines, usage errors). Returns the exit status, before the output is checked.
int run_command(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace vtr
