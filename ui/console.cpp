#include "ui/console.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <iostream>

#include "core/app.h"
#include "core/messages.h"
#include "decode/readfile.h"
#include "display/readout.h"
#include "tiff/header_fault.h"
#include "ui/commands.h"
#include "ui/headless_toolkit.h"

namespace vtr {

namespace {

constexpr std::string_view kProgram = "vantrel-tiff-reader";
constexpr std::string_view kHeader = "--header";
constexpr std::string_view kHistogram = "--histogram";
constexpr std::string_view kPixel = "--pixel";
constexpr std::string_view kUsage =
    "Usage: vantrel-tiff-reader --header FILE... | --histogram FILE | --pixel X Y FILE\n";

bool iscommand(std::string_view a) {
  return a == kHeader || a == kHistogram || a == kPixel;
}

bool asksforhelp(std::string_view a) {
  return a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version";
}

struct Command {
  std::string_view name;
  std::vector<std::string> files;
  std::int64_t x = 0;
  std::int64_t y = 0;
};

bool wholenumber(const std::string& text, std::int64_t& v) {
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, v);
  return error == std::errc() && at == end && !text.empty();
}

// The command the arguments give; an empty name, with `error` set, for a usage error.
Command parsecommand(const std::vector<std::string>& args, std::string& error) {
  Command c;
  if (args.empty() || !iscommand(args.front())) {
    for (const auto& a : args) {
      if (iscommand(a)) error = a + " must come first";
    }
    return c;
  }
  const std::string_view name = args.front();
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (name == kPixel) {
    if (rest.size() != 3 || !wholenumber(rest[0], c.x) || !wholenumber(rest[1], c.y)) {
      error = "--pixel needs X Y FILE, X and Y whole numbers";
      return c;
    }
    c.files = {rest[2]};
    c.name = name;
    return c;
  }
  // FILE arguments; "--" lets a name begin with "-".
  bool names = false;
  for (const auto& a : rest) {
    if (!names && a == "--") {
      names = true;
    } else if (!names && a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a + " after " + std::string(name);
      return c;
    } else {
      c.files.push_back(a);
    }
  }
  if (c.files.empty() || (name == kHistogram && c.files.size() != 1)) {
    error = std::string(name) + (name == kHistogram ? " needs one FILE" : " needs a FILE");
    return c;
  }
  c.name = name;
  return c;
}

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

int histogram(const std::string& file, std::ostream& out, std::ostream& err) {
  ConsoleViewer v;
  const Load load = consoleload(v, file, err);
  if (!load.loaded) return kExitRefused;
  for (std::size_t bin = 0; bin < v.app.histogram.bins.size(); ++bin) {
    out << bin << ' ' << v.app.histogram.bins[bin] << '\n';
  }
  return load.clean ? kExitDone : kExitRefused;
}

int pixel(const Command& c, std::ostream& out, std::ostream& err) {
  ConsoleViewer v;
  const Load load = consoleload(v, c.files.front(), err);
  if (!load.loaded) return kExitRefused;
  // What the read-out writes for that place of the store: its value, 0 in column 0 and
  // row 0, or that it lies outside the image.
  const bool inside = read_stored(v.app.store, v.app.lines, c.x, c.y);
  for (const auto& line : v.lines) out << line << '\n';
  return load.clean && inside ? kExitDone : kExitRefused;
}

}  // namespace

bool isconsoleline(const std::vector<std::string>& args) {
  if (!args.empty() && iscommand(args.front())) return true;
  bool command = false;
  for (const auto& a : args) {
    if (a == "--") break;
    if (asksforhelp(a)) return false;
    command = command || iscommand(a);
  }
  return command;
}

int runconsole(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string error;
  const Command c = parsecommand(args, error);
  if (c.name.empty()) {
    err << kProgram << ": " << error << '\n' << kUsage;
    return kExitUsage;
  }
  if (c.name == kHeader) return headers(c.files, out);
  if (c.name == kHistogram) return histogram(c.files.front(), out, err);
  return pixel(c, out, err);
}

std::string_view consolehelp() {
  return "Without a window (no display needed):\n"
         "  --header FILE...    Prints each file's header dump, as get header writes it,\n"
         "                      oldest line first; \"==> FILE <==\" before each of several.\n"
         "  --histogram FILE    Loads FILE as get image does and prints its 256 histogram\n"
         "                      counts, one \"BIN COUNT\" line each.\n"
         "  --pixel X Y FILE    Loads FILE and prints the read-out line of the pixel at\n"
         "                      column X and row Y (from 1).\n"
         "Exit status: 0 done, 1 a file refused or not opened (or the pixel outside the\n"
         "image), 2 a usage error.";
}

std::optional<int> consolemain(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (!isconsoleline(args)) return std::nullopt;
  std::ios::sync_with_stdio(false);
  const int status = runconsole(args, std::cout, std::cerr);
  std::cout.flush();
  return status;
}

}  // namespace vtr
