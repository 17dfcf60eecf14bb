// The commands of the command line that need no display and start no window: the header
// dump, the histogram and a pixel's value, run through the window's own logic over a
// toolkit that draws nothing.
//
//   vantrel-tiff-reader --header FILE...
//   vantrel-tiff-reader --histogram FILE
//   vantrel-tiff-reader --pixel X Y FILE
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vtr {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;  // a file refused, not opened, or a position outside
inline constexpr int kExitUsage = 2;

// True when the arguments (the program's name left out) are a command-line command rather
// than the window's: one of the three options comes first, or stands further on in a line
// that asks for neither help nor the version (a usage error then).
bool isconsoleline(const std::vector<std::string>& args);

// Runs the command; its lines go to `out` (the header dump, the counts, the read-out line)
// and `err` (a load's error lines, usage errors). Returns the exit status.
int runconsole(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The three commands as the program's help lists them.
std::string_view consolehelp();

// The program's first step: runs a command-line command and gives its exit status, or
// nothing when the arguments ask for the window.
std::optional<int> consolemain(int argc, char** argv);

}  // namespace vtr
