// What the fuzz targets share: the input split into two files, the files written where the
// load driver can open them, and the checks made after every command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/app.h"
#include "fuzz/fuzz_toolkit.h"

namespace vtr::fuzz {

// Between two files in one fuzz input. Without it the whole input is one file.
inline constexpr std::string_view kSplitMarker = "#VTR-NEXT#";

// The largest pixel store a fuzz run may make: a bigger declared image must be refused.
// Stores larger than one request for their pages (8 MiB) are provided in several ahead of
// the rows, so the limit lets some of those through too.
inline constexpr std::uint64_t kFuzzStoreLimit = 128ull << 20;

struct Parts {
  std::span<const std::uint8_t> first;
  std::span<const std::uint8_t> second;  // empty when the input holds no marker
  bool has_second = false;
};

Parts split_input(const std::uint8_t* data, std::size_t size);

// A file in memory (memfd), reused from input to input; `path()` opens it anew.
class MemFile {
 public:
  explicit MemFile(const char* name);
  MemFile(const MemFile&) = delete;
  MemFile& operator=(const MemFile&) = delete;
  ~MemFile();
  // Replaces the whole content.
  void write(std::span<const std::uint8_t> bytes);
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

// Aborts (a crash libFuzzer reports) when a command left the program in a broken state:
// busy still set, or an image file still open.
void check_after_command(const App& app);

// A fresh program state as start-up leaves it, with the fuzz store limit.
struct Session {
  FuzzToolkit tk;
  App app{tk};
  Session();
};

// Runs one fuzz input in one session: its first file, then its second when it has one. For
// each, the file is written to its own temporary path, the dialog is set to answer it, and
// `onfile(session, bytes, second)` runs the command under test.
void runfiles(const std::uint8_t* data, std::size_t size,
              const std::function<void(Session&, std::span<const std::uint8_t>, bool)>& onfile);

}  // namespace vtr::fuzz
