// The program's command line: vantrel-tiff-reader [--help] [--version] [FILE].
#pragma once

#include <QString>
#include <QStringList>

namespace vtr::qt {

struct CommandLine {
  // An option the program does not know may be one of the window system's own, which only
  // the application object takes away; the other answers need no window system.
  enum class Action { open_window, print_help, print_version, bad_option, too_many_files };
  Action action = Action::open_window;
  QString file;  // the one FILE as a full path, or empty
  QString text;  // the help, the version or what is wrong, ready to print
};

// Reads the arguments (the program's name first). Uses the application's name and version.
CommandLine parse_command_line(const QStringList& arguments);

}  // namespace vtr::qt
