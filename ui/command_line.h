// The program's command line: one table of every option, the window system's own among them,
// from which the help is written, read into one record.
//
//   vantrel-tiff-reader [WINDOW OPTIONS] [FILE]
//   vantrel-tiff-reader --header FILE...
//   vantrel-tiff-reader --info [--pretty] FILE...
//   vantrel-tiff-reader --histogram FILE [--values]
//   vantrel-tiff-reader --pixel X Y [X Y ...] FILE
//   vantrel-tiff-reader --help | --version
//
// FILEs are taken as the bytes given, whatever their encoding; after "--" every word is one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtr {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;  // a file refused, not opened, or a position outside
inline constexpr int kExitUsage = 2;

enum class Command { window, help, version, header, info, histogram, pixel, usage_error };

struct PixelPoint {
  std::int64_t x = 0;  // column, from 1
  std::int64_t y = 0;  // row, from 1
};

struct CommandLine {
  Command command = Command::window;
  std::vector<std::string> files;  // the FILEs, as given; the window's one FILE, or none
  std::vector<PixelPoint> points;  // --pixel
  bool values = false;             // --histogram --values
  bool pretty = false;             // --info --pretty
  // The window system's options, each as the window system takes it ("-platform", "xcb").
  std::vector<std::string> window_options;
  // The help, the version, or the usage error (without the program's name), ready to print.
  std::string text;
};

// Reads the arguments, the program's name left out.
CommandLine parse_command_line(const std::vector<std::string>& args);

}  // namespace vtr
