// What this process may still take, from each source that limits it, and the most a new
// load may take as a result.
//
// The store is mapped without reserving swap, so a store larger than what the process may
// have does not fail when it is made: it gets the process killed when its pages are written
// (by a memory control group or the kernel's out-of-memory killer), or a later, smaller
// allocation fails (under an address-space or data-size limit); so it is with the pages of a
// copy or a print, which the heap asks of the kernel in the same way. The store, with all a
// load brings, and later a copy or a print are therefore judged before they are made against
// the least of four headrooms.
#pragma once

#include <cstdint>
#include <string>

namespace vtr {

// Each figure in bytes; UINT64_MAX where the source sets no limit or cannot be read.
struct Headroom {
  std::uint64_t available = UINT64_MAX;     // MemAvailable of meminfo
  std::uint64_t cgroup = UINT64_MAX;        // see cgroup_memory.h
  std::uint64_t addressspace = UINT64_MAX;  // RLIMIT_AS - VmSize
  std::uint64_t data = UINT64_MAX;          // RLIMIT_DATA - VmData
};

// The process's soft limits on its address space and its data size (RLIM_INFINITY, which
// is UINT64_MAX, for none).
struct ProcessLimits {
  std::uint64_t addressspace = UINT64_MAX;
  std::uint64_t data = UINT64_MAX;
};

ProcessLimits processlimits();

// The headrooms of this process: `proc` holds meminfo, self/status, self/cgroup and
// self/mountinfo ("/proc"; tests give a fixture folder), `limits` the process's limits.
Headroom readheadroom(const std::string& proc, const ProcessLimits& limits);

// The most bytes a load may take, its store and all that comes with it (load_memory.h): the
// least headroom. The present store, `present` bytes, counts as free memory, since its pages
// are given back before the new store's are written; but not as free address space, since
// the new store is mapped before the old is unmapped.
std::uint64_t loadlimitfor(const Headroom& h, std::uint64_t present);

// True when `bytes` more, and `reserve` beside them, fit in the least headroom now.
bool can_take(const Headroom& h, std::uint64_t bytes, std::uint64_t reserve);

}  // namespace vtr
