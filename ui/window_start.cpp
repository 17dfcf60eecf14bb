#include "ui/window_start.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <filesystem>
#include <vector>

namespace vtr {

namespace {

// A FILE named on the command line as a full path, the bytes of its name kept.
std::string full_path(const std::string& file) {
  std::error_code failed;
  const std::filesystem::path full = std::filesystem::absolute(file, failed);
  return failed ? file : full.lexically_normal().string();
}

}  // namespace

std::string beside_program(std::string_view relative) {
  std::array<char, PATH_MAX> self{};
  const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
  if (n <= 0) return {};
  const std::filesystem::path program(std::string(self.data(), static_cast<std::size_t>(n)));
  return (program.parent_path() / relative).lexically_normal().string();
}

int start_window(const std::string& library, const char* program, const CommandLine& line,
                 std::ostream& err) {
  // The library stays loaded until the program ends: the window system keeps its own state
  // in it to the last moment.
  void* handle = library.empty() ? nullptr : ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* entry = handle != nullptr ? ::dlsym(handle, kWindowMainName) : nullptr;
  if (entry == nullptr) {
    const char* why = ::dlerror();
    err << "vantrel-tiff-reader: cannot open a window: "
        << (why != nullptr ? why : "the program's own folder is unknown") << '\n';
    return kExitRefused;
  }
  std::vector<std::string> words{program};
  words.insert(words.end(), line.window_options.begin(), line.window_options.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const std::string file = line.files.empty() ? std::string() : full_path(line.files.front());
  auto* window_main = reinterpret_cast<WindowMain*>(entry);
  return window_main(static_cast<int>(words.size()), argv.data(),
                     line.files.empty() ? nullptr : file.c_str());
}

}  // namespace vtr
