// Vantrel TIFF Reader: a viewer for uncompressed scientific TIFF images.
//
// The program itself links no window system: the commands of the command line (ui/console.h)
// run here, and the window starts from a private library that is loaded only when no such
// command is given (ui/window_start.h). VTR_WINDOW_LIBRARY, from the build, is where that
// library lies, from the program's own folder.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "ui/command_line.h"
#include "ui/console.h"
#include "ui/output_stream.h"
#include "ui/window_start.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const vtr::CommandLine line = vtr::parse_command_line(args);
  if (line.command == vtr::Command::window) {
    return vtr::start_window(vtr::beside_program(VTR_WINDOW_LIBRARY),
                             argc > 0 ? argv[0] : "vantrel-tiff-reader", line, std::cerr);
  }
  vtr::FdOutput output(STDOUT_FILENO);
  std::ostream out(&output);
  return vtr::finish_output(vtr::run_command(line, out, std::cerr), output, std::cerr);
}
