#include "ui/console.h"

#include <cstdint>
#include <string_view>

#include "core/app.h"
#include "decode/readfile.h"
#include "display/autowindow.h"
#include "display/readout.h"
#include "tiff/header_fault.h"
#include "ui/commands.h"
#include "ui/file_info.h"
#include "ui/headless_toolkit.h"

namespace vtr {

namespace {

constexpr std::string_view kProgram = "vantrel-tiff-reader";

// A viewer of its own for one command, started as the window starts, whose message lines
// are collected in the order written.
struct ConsoleViewer {
  ConsoleViewer() { form_load(app); }
  std::vector<std::string> lines;
  HeadlessToolkit tk{[this](std::string_view line) { lines.emplace_back(line); }};
  App app{tk};
};

int headers(const std::vector<std::string>& files, std::ostream& out) {
  ConsoleViewer v;
  int status = kExitDone;
  for (std::size_t i = 0; i < files.size(); ++i) {
    v.lines.clear();
    if (openfiles(v.app, {files[i]}, 2) != LoadEnd::header_read) status = kExitRefused;
    if (files.size() > 1) out << (i > 0 ? "\n" : "") << "==> " << files[i] << " <==\n";
    for (const auto& line : v.lines) out << line << '\n';
    v.app.lines.replace("");  // the area would only grow
  }
  return status;
}

struct Load {
  bool loaded = false;  // read and painted
  bool clean = false;   // and without an error line (an orientation warning aside)
};

// Loads `file` as get image does; its error lines go to `err`.
Load consoleload(ConsoleViewer& v, const std::string& file, std::ostream& err) {
  Load load;
  load.loaded = openfiles(v.app, {file}, 0) == LoadEnd::loaded;
  load.clean = load.loaded;
  for (const auto& line : v.lines) {
    if (line.rfind("[error]", 0) != 0) continue;
    err << line << '\n';
    if (line != kOrientationWarning) load.clean = false;
  }
  v.lines.clear();
  return load;
}

// The 256 bins, or with `values` the count of every stored value present.
void print_counts(const App& app, bool values, std::ostream& out) {
  if (!values) {
    for (std::size_t bin = 0; bin < app.histogram.bins.size(); ++bin) {
      out << bin << ' ' << app.histogram.bins[bin] << '\n';
    }
    return;
  }
  const PixelStore& store = app.store;
  const std::int32_t top = valuebytes(store.kind()) == 2 ? 65535 : 255;
  const std::vector<std::uint32_t> counts = valuecounts(store, store.width(), store.length(), top);
  for (std::size_t value = 0; value < counts.size(); ++value) {
    if (counts[value] != 0) out << value << ' ' << counts[value] << '\n';
  }
}

int histogram(const CommandLine& line, std::ostream& out, std::ostream& err) {
  ConsoleViewer v;
  const Load load = consoleload(v, line.files.front(), err);
  if (!load.loaded) return kExitRefused;
  print_counts(v.app, line.values, out);
  return load.clean ? kExitDone : kExitRefused;
}

int pixels(const CommandLine& line, std::ostream& out, std::ostream& err) {
  ConsoleViewer v;
  const Load load = consoleload(v, line.files.front(), err);
  if (!load.loaded) return kExitRefused;
  // What the read-out writes for each place of the store: its value, 0 in column 0 and row
  // 0, or that it lies outside the image.
  bool inside = true;
  for (const PixelPoint& p : line.points) {
    inside = read_stored(v.app.store, v.app.lines, p.x, p.y) && inside;
  }
  for (const auto& l : v.lines) out << l << '\n';
  return load.clean && inside ? kExitDone : kExitRefused;
}

}  // namespace

int run_command(const CommandLine& line, std::ostream& out, std::ostream& err) {
  switch (line.command) {
    case Command::help:
    case Command::version:
      out << line.text;
      return kExitDone;
    case Command::usage_error:
      err << kProgram << ": " << line.text << "\nTry '" << kProgram
          << " --help' for more information.\n";
      return kExitUsage;
    case Command::header:
      return headers(line.files, out);
    case Command::info:
      return print_file_info(line.files, line.pretty, out);
    case Command::histogram:
      return histogram(line, out, err);
    case Command::pixel:
      return pixels(line, out, err);
    case Command::window:
      break;
  }
  return kExitUsage;
}

}  // namespace vtr
