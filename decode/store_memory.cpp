#include "decode/store_memory.h"

#include <unistd.h>

#include "decode/load_memory.h"
#include "decode/proc_files.h"

namespace vtr {

namespace {

std::uint64_t freephysical() {
  const long pages = ::sysconf(_SC_AVPHYS_PAGES);
  const long pagesize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pagesize <= 0) return 0;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pagesize);
}

}  // namespace

std::uint64_t memavailable() {
  const std::uint64_t kib = keyednumber("/proc/meminfo", "MemAvailable:").value_or(0);
  return kib != 0 ? kib * 1024 : freephysical();
}

Headroom processheadroom() {
  Headroom h = readheadroom("/proc", processlimits());
  if (h.available == UINT64_MAX) h.available = freephysical();
  return h;
}

LoadLimit current_load_limit(std::uint64_t set_limit, std::uint64_t present, int workers) {
  if (set_limit != 0) return {set_limit, true, workers};
  return {loadlimitfor(processheadroom(), present), false, workers};
}

bool load_fits(const LoadLimit& limit, std::int32_t width, std::int32_t length, StoreKind kind) {
  if (width < 0 || length < 0) return false;
  const std::uint64_t bytes = limit.store_only ? PixelStore::bytes_for(width, length, kind)
                                               : load_bytes(width, length, kind, limit.workers);
  return bytes <= limit.bytes;
}

}  // namespace vtr
