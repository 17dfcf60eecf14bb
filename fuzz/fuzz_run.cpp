#include "fuzz/fuzz_run.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "ui/commands.h"

namespace vtr::fuzz {

Parts split_input(const std::uint8_t* data, std::size_t size) {
  Parts parts;
  std::span<const std::uint8_t> all(data, size);
  auto it = std::search(all.begin(), all.end(), kSplitMarker.begin(), kSplitMarker.end());
  if (it == all.end()) {
    parts.first = all;
    return parts;
  }
  auto at = static_cast<std::size_t>(it - all.begin());
  parts.first = all.first(at);
  parts.second = all.subspan(at + kSplitMarker.size());
  parts.has_second = true;
  return parts;
}

MemFile::MemFile(const char* name) {
  fd_ = ::memfd_create(name, MFD_CLOEXEC);
  if (fd_ < 0) std::abort();
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemFile::~MemFile() {
  if (fd_ >= 0) ::close(fd_);
}

void MemFile::write(std::span<const std::uint8_t> bytes) {
  if (::ftruncate(fd_, 0) != 0) std::abort();
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
}

void check_after_command(const App& app) {
  if (app.busy != 0) std::abort();
  if (app.files.open_count() != 0) std::abort();
}

Session::Session() {
  app.store_limit = kFuzzStoreLimit;
  form_load(app);
}

void runfiles(const std::uint8_t* data, std::size_t size,
              const std::function<void(Session&, std::span<const std::uint8_t>, bool)>& onfile) {
  static MemFile first("vtr-fuzz-a");
  static MemFile second("vtr-fuzz-b");
  const Parts parts = split_input(data, size);
  Session s;
  first.write(parts.first);
  s.tk.set_dialog_answer(first.path());
  onfile(s, parts.first, false);
  if (!parts.has_second) return;
  second.write(parts.second);
  s.tk.set_dialog_answer(second.path());
  onfile(s, parts.second, true);
}

}  // namespace vtr::fuzz
