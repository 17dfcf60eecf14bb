// The memory a process's control groups still allow it.
//
// A memory control group caps the memory of the processes in it and of all its descendant
// groups; past its limit the kernel reclaims what it can and then kills a process in it. A
// process is held by its own group and by every ancestor, each with its own limit and use.
// Both hierarchies are read where the system has them:
//   cgroup v2: memory.max ("max": none) and memory.current of the group found under the
//              cgroup2 mount from the "0::/path" line of /proc/self/cgroup;
//   cgroup v1: memory.limit_in_bytes and memory.usage_in_bytes under the mount that carries
//              the memory controller, from the "N:...memory...:/path" line.
// Clean file cache that has gone inactive (inactive_file in memory.stat; for v1
// total_inactive_file, which like the usage counts the descendants) is counted as free: the
// kernel drops it before it kills anything, and the image files a load reads are themselves
// charged to the group as such cache.
#pragma once

#include <cstdint>
#include <string>

namespace vtr {

// The smallest (limit - use + inactive file cache) over the memory control groups holding
// this process and their ancestors, in bytes; UINT64_MAX when none sets a limit or none can
// be read. `proc` is the folder that holds self/cgroup and self/mountinfo ("/proc"); the
// groups' folders are those the mount table names.
std::uint64_t cgroupheadroom(const std::string& proc);

}  // namespace vtr
