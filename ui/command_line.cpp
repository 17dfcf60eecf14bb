#include "ui/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <string_view>

#include "core/program_texts.h"

namespace vtr {

namespace {

constexpr std::string_view kProgram = "vantrel-tiff-reader";

constexpr std::string_view kSynopsis =
    "Usage: vantrel-tiff-reader [WINDOW OPTIONS] [FILE]\n"
    "       vantrel-tiff-reader --header FILE...\n"
    "       vantrel-tiff-reader --info [--pretty] FILE...\n"
    "       vantrel-tiff-reader --histogram FILE [--values]\n"
    "       vantrel-tiff-reader --pixel X Y [X Y ...] FILE\n"
    "       vantrel-tiff-reader --help | --version\n";

constexpr std::string_view kFooter =
    "The commands without a window print to standard output; a file's error lines go to\n"
    "standard error (with --info they are part of its record). Exit status: 0 done, 1 a file\n"
    "refused, shown with rows missing or not opened (or a pixel outside the image, or output\n"
    "that could not be written), 2 a usage error. After \"--\" every word is a FILE.";

constexpr std::string_view kWindowGroup =
    "Window system options (Qt's, handed on to it; one dash or two)";

// An option of the window system (Qt's), handed on to it as given.
struct WindowOption {
  const char* name;   // without its dashes
  const char* value;  // what its value is; nullptr for an option without one
  const char* help;
};

constexpr std::array kWindowOptions{
    WindowOption{"platform", "NAME[:OPTIONS]", "The window system: xcb, wayland, offscreen..."},
    WindowOption{"platformpluginpath", "PATH", "Where the window system plugins are."},
    WindowOption{"platformtheme", "NAME", "The platform theme."},
    WindowOption{"plugin", "NAME", "An input plugin to load."},
    WindowOption{"qwindowgeometry", "WxH+X+Y", "The window's size and place."},
    WindowOption{"geometry", "WxH+X+Y", "The same, on X11."},
    WindowOption{"qwindowtitle", "TITLE", "The window's title."},
    WindowOption{"title", "TITLE", "The same, on X11."},
    WindowOption{"qwindowicon", "FILE", "The window's icon."},
    WindowOption{"icon", "FILE", "The same, on X11."},
    WindowOption{"display", "HOST:SCREEN", "The X11 display, in place of DISPLAY."},
    WindowOption{"name", "NAME", "The X11 resource name."},
    WindowOption{"visual", "TrueColor", "The X11 visual."},
    WindowOption{"style", "STYLE", "The widget style (Fusion, Windows)."},
    WindowOption{"stylesheet", "FILE", "A style sheet for the widgets."},
    WindowOption{"session", "ID", "The desktop session to restore."},
    WindowOption{"reverse", nullptr, "Lays the window out right to left."},
    WindowOption{"nograb", nullptr, "Never grabs the mouse or keyboard (X11)."},
    WindowOption{"dograb", nullptr, "Grabs them even under a debugger (X11)."},
    WindowOption{"widgetcount", nullptr, "Prints how many widgets were made, at the end."},
    WindowOption{"testability", nullptr, "Loads the testability plugin."},
};

// What the table fills in, before the words are checked.
struct Given {
  std::vector<std::string> header, info, histogram, pixel, files;
  bool values = false;
  bool pretty = false;
  std::array<std::vector<std::string>, kWindowOptions.size()> window_values;
  std::array<int, kWindowOptions.size()> window_flags{};
};

// The usage lines are the synopsis; the rest is CLI11's listing of the table.
class HelpLayout final : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string) const override {
    return std::string(kSynopsis);
  }
};

// The table of every option, filling `given`.
void add_options(CLI::App& app, Given& given) {
  app.formatter(std::make_shared<HelpLayout>());
  app.footer(std::string(kFooter));
  app.set_help_flag("-h,--help", "Prints this help and ends.");
  app.set_version_flag("-v,--version", std::string(kProgram) + " " + std::string(kVersion),
                       "Prints the program's name and version and ends.");
  app.add_option("FILE", given.files, "The TIFF image the window opens once it is up.")
      ->option_text(" ");
  const std::string shell = "Without a window (no display needed)";
  const auto files = [&](const char* name, std::vector<std::string>& into, const char* text,
                         const char* help) {
    return app.add_option(name, into, help)
        ->expected(0, CLI::detail::expected_max_vector_size)
        ->option_text(text)
        ->group(shell);
  };
  files("--header", given.header, "FILE...",
        "Prints each file's header dump as get header\nwrites it, oldest line first; "
        "\"==> FILE <==\"\nbefore each of several.");
  files("--info", given.info, "FILE...",
        "Prints one JSON object a file, one a line: the\nheader's main fields and texts, and "
        "\"verdict\",\nwhat get image does with the file (\"shows\",\n\"shows with rows missing\" "
        "or \"refused\", with\nthe window's \"error\" line), found without reading\na pixel.");
  app.add_flag("--pretty", given.pretty, "With --info: one indented JSON array of them.")
      ->group(shell);
  files("--histogram", given.histogram, "FILE",
        "Loads FILE as get image does and prints its 256\nhistogram counts, \"BIN COUNT\".");
  app.add_flag("--values", given.values,
               "With --histogram: the count of every stored\nvalue present, \"VALUE COUNT\".")
      ->group(shell);
  files("--pixel", given.pixel, "X Y [X Y ...] FILE",
        "Loads FILE once and prints the read-out line of\nthe pixel at column X and row Y "
        "(from 1), for\neach pair.");
  for (std::size_t i = 0; i < kWindowOptions.size(); ++i) {
    const WindowOption& o = kWindowOptions[i];
    const std::string name = std::string("--") + o.name;
    if (o.value == nullptr) {
      app.add_flag(name, given.window_flags[i], o.help)->group(std::string(kWindowGroup));
    } else {
      app.add_option(name, given.window_values[i], o.help)
          ->allow_extra_args(false)
          ->option_text(o.value)
          ->group(std::string(kWindowGroup));
    }
  }
  app.allow_extras();
}

// Qt's options are written with one dash as often as with two; the table knows them with two.
std::string with_two_dashes(const std::string& word) {
  if (word.size() < 2 || word[0] != '-' || word[1] == '-') return word;
  const std::string name = word.substr(1, word.find('=') - 1);
  const bool known = std::any_of(kWindowOptions.begin(), kWindowOptions.end(),
                                 [&](const WindowOption& o) { return name == o.name; });
  return known ? "-" + word : word;
}

// The window system's options as it takes them, in the table's order.
std::vector<std::string> window_options(const Given& given) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < kWindowOptions.size(); ++i) {
    const std::string name = std::string("-") + kWindowOptions[i].name;
    for (const std::string& v : given.window_values[i]) {
      out.push_back(name);
      out.push_back(v);
    }
    for (int n = 0; n < given.window_flags[i]; ++n) out.push_back(name);
  }
  return out;
}

CommandLine usage_error(std::string text) {
  CommandLine c;
  c.command = Command::usage_error;
  c.text = std::move(text);
  return c;
}

bool whole_number(const std::string& text, std::int64_t& v) {
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, v);
  return error == std::errc() && at == end && !text.empty();
}

// --pixel's words: pairs of whole numbers, then the FILE.
CommandLine pixel_command(std::vector<std::string> words) {
  CommandLine c;
  c.command = Command::pixel;
  if (words.size() < 3 || words.size() % 2 == 0) {
    return usage_error("--pixel needs X Y [X Y ...] FILE, X and Y whole numbers");
  }
  c.files = {words.back()};
  for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
    PixelPoint p;
    if (!whole_number(words[i], p.x) || !whole_number(words[i + 1], p.y)) {
      return usage_error("--pixel needs X Y [X Y ...] FILE, X and Y whole numbers");
    }
    c.points.push_back(p);
  }
  return c;
}

// A command's option and where the table put its words.
struct Named {
  const char* option;
  Command command;
  const std::vector<std::string>* words;
};

// The command options given, in the table's order.
std::vector<Named> named_commands(const Given& given, const CLI::App& app) {
  const Named commands[] = {{"--header", Command::header, &given.header},
                            {"--info", Command::info, &given.info},
                            {"--histogram", Command::histogram, &given.histogram},
                            {"--pixel", Command::pixel, &given.pixel}};
  std::vector<Named> named;
  std::copy_if(std::begin(commands), std::end(commands), std::back_inserter(named),
               [&app](const Named& n) { return app.count(n.option) > 0; });
  return named;
}

// The words of the command (none: the window): those given after its option (an option given
// none holds one empty word), then the other FILEs, then the words after "--".
std::vector<std::string> command_words(const Named* chosen, const Given& given,
                                       const std::vector<std::string>& names) {
  std::vector<std::string> words;
  if (chosen != nullptr) {
    std::copy_if(chosen->words->begin(), chosen->words->end(), std::back_inserter(words),
                 [](const std::string& w) { return !w.empty(); });
  }
  words.insert(words.end(), given.files.begin(), given.files.end());
  words.insert(words.end(), names.begin(), names.end());
  return words;
}

// What is wrong with a flag given beside another command than its own; empty when nothing.
std::string misplaced_flag(const Given& given, const Named* chosen) {
  const auto is = [chosen](Command c) { return chosen != nullptr && chosen->command == c; };
  if (given.values && !is(Command::histogram)) return "--values goes with --histogram";
  if (given.pretty && !is(Command::info)) return "--pretty goes with --info";
  return {};
}

// The window with its one FILE, if any, and the window system's options.
CommandLine window_command(const Given& given, std::vector<std::string> words) {
  if (words.size() > 1) {
    return usage_error("one FILE at most, " + std::to_string(words.size()) + " given");
  }
  CommandLine c;
  c.files = std::move(words);
  c.window_options = window_options(given);
  return c;
}

// --header, --info or --histogram with their FILEs.
CommandLine files_command(const Named& chosen, const Given& given, std::vector<std::string> words) {
  const bool one = chosen.command == Command::histogram;
  if (words.empty() || (one && words.size() != 1)) {
    return usage_error(std::string(chosen.option) + (one ? " needs one FILE" : " needs a FILE"));
  }
  CommandLine c;
  c.command = chosen.command;
  c.files = std::move(words);
  c.values = given.values;
  c.pretty = given.pretty;
  return c;
}

// The one command the words name, with its words.
CommandLine command_of(const Given& given, const CLI::App& app,
                       const std::vector<std::string>& names) {
  const std::vector<Named> named = named_commands(given, app);
  if (named.size() > 1) {
    return usage_error(std::string("one command at a time: ") + named[0].option + " and " +
                       named[1].option + " given");
  }
  const Named* chosen = named.empty() ? nullptr : &named.front();
  if (const std::string wrong = misplaced_flag(given, chosen); !wrong.empty()) {
    return usage_error(wrong);
  }
  std::vector<std::string> words = command_words(chosen, given, names);
  if (chosen == nullptr) return window_command(given, std::move(words));
  if (chosen->command == Command::pixel) return pixel_command(std::move(words));
  return files_command(*chosen, given, std::move(words));
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& args) {
  // Every word after "--" is a FILE, whatever it looks like.
  const auto end = std::find(args.begin(), args.end(), "--");
  std::vector<std::string> words;
  std::transform(args.begin(), end, std::back_inserter(words), with_two_dashes);
  std::vector<std::string> names(end == args.end() ? end : end + 1, args.end());

  Given given;
  CLI::App app{"Views uncompressed 8-, 12- and 16-bit grey and 8-bit RGB TIFF images.\n",
               std::string(kProgram)};
  add_options(app, given);
  std::reverse(words.begin(), words.end());  // CLI11 takes them last first
  try {
    app.parse(words);
  } catch (const CLI::CallForHelp&) {
    CommandLine c;
    c.command = Command::help;
    c.text = app.help();
    // One blank line between the groups, not two.
    for (std::size_t at; (at = c.text.find("\n\n\n")) != std::string::npos;) c.text.erase(at, 1);
    return c;
  } catch (const CLI::CallForVersion& e) {
    CommandLine c;
    c.command = Command::version;
    c.text = std::string(e.what()) + "\n";
    return c;
  } catch (const CLI::ParseError& e) {
    return usage_error(e.what());
  }
  for (const std::string& extra : app.remaining()) {
    if (extra.size() > 1 && extra[0] == '-') {
      return usage_error("unknown option " + extra.substr(0, extra.find('=')));
    }
  }
  return command_of(given, app, names);
}

}  // namespace vtr
