#include "decode/cgroup_memory.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "decode/proc_files.h"

namespace vtr {

namespace {

// The files of one cgroup version.
struct GroupFiles {
  const char* limit;
  const char* usage;
  const char* inactive;  // key of the inactive file cache in memory.stat
};

constexpr GroupFiles kV2{"memory.max", "memory.current", "inactive_file "};
constexpr GroupFiles kV1{"memory.limit_in_bytes", "memory.usage_in_bytes", "total_inactive_file "};

// Where a hierarchy is mounted: the mount point, and which group of the hierarchy it shows
// (not "/" when only a subtree was mounted, as in a container).
struct Mount {
  std::string point;
  std::string root;
};

bool hascontroller(const std::string& list, const std::string& name) {
  std::istringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    if (item == name) return true;
  }
  return false;
}

// The mount of the cgroup2 hierarchy (`memory` false) or of the v1 hierarchy carrying the
// memory controller, from self/mountinfo:
//   id parent dev root point options [tags] - fstype source superoptions
std::optional<Mount> findmount(const std::string& proc, bool v1memory) {
  std::ifstream in(proc + "/self/mountinfo");
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t dash = line.find(" - ");
    if (dash == std::string::npos) continue;
    std::istringstream left(line.substr(0, dash));
    std::istringstream right(line.substr(dash + 3));
    std::string id, parent, dev, root, point, fstype, source, options;
    if (!(left >> id >> parent >> dev >> root >> point)) continue;
    if (!(right >> fstype >> source >> options)) continue;
    const bool wanted =
        v1memory ? fstype == "cgroup" && hascontroller(options, "memory") : fstype == "cgroup2";
    if (wanted) return Mount{point, root};
  }
  return std::nullopt;
}

// This process's group in the hierarchy: the path of the "0::" line (v2) or of the line whose
// controllers include memory (v1).
std::optional<std::string> findgroup(const std::string& proc, bool v1memory) {
  std::ifstream in(proc + "/self/cgroup");
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t first = line.find(':');
    const std::size_t second = line.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    const std::string id = line.substr(0, first);
    const std::string controllers = line.substr(first + 1, second - first - 1);
    const bool wanted = v1memory ? hascontroller(controllers, "memory") : id == "0";
    if (wanted) return line.substr(second + 1);
  }
  return std::nullopt;
}

// v1 writes "no limit" as the largest page count in bytes (9223372036854771712 with 4 KiB
// pages); a limit from 2^62 bytes on is taken as none.
constexpr std::uint64_t kNoLimit = 1ull << 62;

// What one group still allows; UINT64_MAX without a readable limit.
std::uint64_t groupheadroom(const std::string& folder, const GroupFiles& files) {
  const std::optional<std::uint64_t> limit = filenumber(folder + "/" + files.limit);
  const std::optional<std::uint64_t> usage = filenumber(folder + "/" + files.usage);
  if (!limit || *limit >= kNoLimit) return UINT64_MAX;
  const std::uint64_t used = usage.value_or(0);
  const std::uint64_t unused = *limit > used ? *limit - used : 0;
  const std::uint64_t inactive = keyednumber(folder + "/memory.stat", files.inactive).value_or(0);
  return unused + std::min(inactive, used);  // at most the limit again
}

// The smallest headroom of the group and its ancestors up to the mount's top.
std::uint64_t hierarchyheadroom(const std::string& proc, bool v1memory) {
  const std::optional<Mount> mount = findmount(proc, v1memory);
  const std::optional<std::string> group = findgroup(proc, v1memory);
  if (!mount || !group) return UINT64_MAX;
  std::string path = *group;
  // Below a subtree mount the group's path is relative to the mounted group.
  if (mount->root != "/" && path.rfind(mount->root, 0) == 0) path.erase(0, mount->root.size());
  const GroupFiles& files = v1memory ? kV1 : kV2;
  std::uint64_t least = UINT64_MAX;
  while (true) {
    least = std::min(least, groupheadroom(mount->point + path, files));
    const std::size_t slash = path.find_last_of('/');
    if (path.empty() || slash == std::string::npos) break;
    path.erase(slash);
  }
  return least;
}

}  // namespace

std::uint64_t cgroupheadroom(const std::string& proc) {
  return std::min(hierarchyheadroom(proc, false), hierarchyheadroom(proc, true));
}

}  // namespace vtr
