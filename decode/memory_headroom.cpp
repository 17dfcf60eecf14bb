#include "decode/memory_headroom.h"

#include <sys/resource.h>

#include <algorithm>
#include <optional>

#include "decode/cgroup_memory.h"
#include "decode/proc_files.h"

namespace vtr {

namespace {

// A meminfo or status figure, written in kB, in bytes.
std::optional<std::uint64_t> kibfigure(const std::string& path, const std::string& key) {
  const std::optional<std::uint64_t> kib = keyednumber(path, key);
  if (!kib) return std::nullopt;
  return *kib * 1024;
}

// What a process limit leaves beside `used` bytes (unknown use: the whole limit).
std::uint64_t underlimit(std::uint64_t limit, std::optional<std::uint64_t> used) {
  if (limit == UINT64_MAX) return UINT64_MAX;
  const std::uint64_t u = used.value_or(0);
  return limit > u ? limit - u : 0;
}

std::uint64_t softlimit(int resource) {
  rlimit r{};
  if (::getrlimit(resource, &r) != 0 || r.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
  return static_cast<std::uint64_t>(r.rlim_cur);
}

std::uint64_t saturatingadd(std::uint64_t a, std::uint64_t b) {
  return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

}  // namespace

ProcessLimits processlimits() {
  return ProcessLimits{softlimit(RLIMIT_AS), softlimit(RLIMIT_DATA)};
}

Headroom readheadroom(const std::string& proc, const ProcessLimits& limits) {
  Headroom h;
  h.available = kibfigure(proc + "/meminfo", "MemAvailable:").value_or(UINT64_MAX);
  h.cgroup = cgroupheadroom(proc);
  const std::string status = proc + "/self/status";
  h.addressspace = underlimit(limits.addressspace, kibfigure(status, "VmSize:"));
  h.data = underlimit(limits.data, kibfigure(status, "VmData:"));
  return h;
}

std::uint64_t loadlimitfor(const Headroom& h, std::uint64_t present) {
  const std::uint64_t memory = saturatingadd(std::min(h.available, h.cgroup), present);
  return std::min({memory, h.addressspace, h.data});
}

bool can_take(const Headroom& h, std::uint64_t bytes, std::uint64_t reserve) {
  return saturatingadd(bytes, reserve) <= loadlimitfor(h, 0);
}

}  // namespace vtr
