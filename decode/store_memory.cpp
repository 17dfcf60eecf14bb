#include "decode/store_memory.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/app.h"

namespace vtr {

namespace {

std::uint64_t meminfoavailable() {
  std::ifstream in("/proc/meminfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("MemAvailable:", 0) != 0) continue;
    std::istringstream fields(line.substr(13));
    std::uint64_t kib = 0;
    if (fields >> kib) return kib * 1024;
    return 0;
  }
  return 0;
}

std::uint64_t freephysical() {
  const long pages = ::sysconf(_SC_AVPHYS_PAGES);
  const long pagesize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pagesize <= 0) return 0;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pagesize);
}

}  // namespace

std::uint64_t memavailable() {
  const std::uint64_t bytes = meminfoavailable();
  return bytes != 0 ? bytes : freephysical();
}

std::uint64_t storelimit(const App& app) {
  if (app.store_limit != 0) return app.store_limit;
  return (memavailable() + app.store.bytes()) / 2;
}

bool storefits(const App& app, std::int32_t width, std::int32_t length) {
  if (width < 0 || length < 0) return false;
  return PixelStore::bytes_for(width, length) <= storelimit(app);
}

}  // namespace vtr
