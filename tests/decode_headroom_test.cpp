// The headroom a store is judged against: the control groups' limits, the process's limits
// and the available memory, read from fixture folders laid out like /proc and the cgroup
// mounts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "decode/cgroup_memory.h"
#include "decode/memory_headroom.h"

namespace vtr {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMiB = 1ull << 20;
constexpr std::uint64_t kNone = UINT64_MAX;

// A folder of files, each given as (path below the folder, text); "@" in a text stands for
// the folder itself (mount points are absolute).
class Fixture {
 public:
  explicit Fixture(const std::vector<std::pair<std::string, std::string>>& files)
      : root_(fs::temp_directory_path() /
              ("vtr_headroom_" + std::to_string(::getpid()) + "_" + std::to_string(++count_))) {
    for (const auto& [path, text] : files) {
      fs::create_directories((root_ / path).parent_path());
      std::string body = text;
      for (std::size_t at = body.find('@'); at != std::string::npos; at = body.find('@'))
        body.replace(at, 1, root_.string());
      std::ofstream(root_ / path) << body;
    }
  }
  ~Fixture() { fs::remove_all(root_); }
  std::string proc() const { return (root_ / "proc").string(); }

 private:
  static inline int count_ = 0;
  fs::path root_;
};

const std::pair<std::string, std::string> kV2Mount{
    "proc/self/mountinfo", "41 31 0:38 / @/cg2 rw,relatime - cgroup2 cgroup2 rw\n"};
const std::pair<std::string, std::string> kBothMounts{
    "proc/self/mountinfo",
    "32 31 0:29 / @/cpu rw - cgroup cgroup rw,cpu\n"
    "35 31 0:32 / @/cg1 rw,relatime - cgroup cgroup rw,memory\n"
    "41 31 0:38 / @/cg2 rw,relatime - cgroup2 cgroup2 rw\n"};

TEST(MemoryHeadroom, IsTheLeastOfTheControlGroupsAndTheirAncestors) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::uint64_t expected;
  } cases[] = {
      {"v2 nested: the parent's limit binds, inactive file cache counts as free",
       {kV2Mount,
        {"proc/self/cgroup", "0::/a/b\n"},
        {"cg2/a/memory.max", "4294967296\n"},
        {"cg2/a/memory.current", "1073741824\n"},
        {"cg2/a/memory.stat", "active_file 1\ninactive_file 536870912\n"},
        {"cg2/a/b/memory.max", "max\n"},
        {"cg2/a/b/memory.current", "1073741824\n"}},
       3584 * kMiB},
      {"v2 without any limit",
       {kV2Mount,
        {"proc/self/cgroup", "0::/a\n"},
        {"cg2/a/memory.max", "max\n"},
        {"cg2/a/memory.current", "1000\n"}},
       kNone},
      {"v1 beside a v2 hierarchy without the memory controller: the hierarchical cache",
       {kBothMounts,
        {"proc/self/cgroup", "4:memory:/x\n3:cpu:/\n0::/\n"},
        {"cg1/memory.limit_in_bytes", "9223372036854771712\n"},
        {"cg1/memory.usage_in_bytes", "99999999999\n"},
        {"cg1/x/memory.limit_in_bytes", "1073741824\n"},
        {"cg1/x/memory.usage_in_bytes", "629145600\n"},
        {"cg1/x/memory.stat", "inactive_file 1\ntotal_inactive_file 104857600\n"}},
       524 * kMiB},
      {"v1 and v2 both limited, use over the limit: the least, never below 0",
       {kBothMounts,
        {"proc/self/cgroup", "4:memory:/x\n0::/y\n"},
        {"cg1/x/memory.limit_in_bytes", "1073741824\n"},
        {"cg1/x/memory.usage_in_bytes", "2147483648\n"},
        {"cg2/y/memory.max", "2147483648\n"},
        {"cg2/y/memory.current", "0\n"}},
       0},
      {"v1 without any limit",
       {kBothMounts,
        {"proc/self/cgroup", "4:memory:/\n0::/\n"},
        {"cg1/memory.limit_in_bytes", "9223372036854771712\n"},
        {"cg1/memory.usage_in_bytes", "5\n"}},
       kNone},
      {"nothing readable", {}, kNone},
  };
  for (const auto& c : cases) {
    const Fixture f(c.files);
    EXPECT_EQ(cgroupheadroom(f.proc()), c.expected) << c.name;
  }
}

TEST(MemoryHeadroom, ProcessLimitsLeaveTheirRestAndALoadGetsTheLeast) {
  const Fixture f({{"proc/meminfo", "MemTotal: 9999 kB\nMemAvailable:    4194304 kB\n"},
                   {"proc/self/status", "VmPeak: 1 kB\nVmSize:  102400 kB\nVmData:   51200 kB\n"},
                   {"proc/self/mountinfo", ""}});
  const Headroom h = readheadroom(f.proc(), ProcessLimits{2048 * kMiB, kNone});
  EXPECT_EQ(h.available, 4096 * kMiB);
  EXPECT_EQ(h.cgroup, kNone);
  EXPECT_EQ(h.addressspace, 1948 * kMiB);
  EXPECT_EQ(h.data, kNone);
  EXPECT_EQ(readheadroom(f.proc(), ProcessLimits{kNone, 50 * kMiB}).data, 0u);

  // The present store counts as free memory for a load but not as free address space; a copy
  // or a print (no present store) fits when it and its reserve do.
  const struct {
    Headroom h;
    std::uint64_t present, expected;
  } rows[] = {
      {{1000 * kMiB, kNone, kNone, kNone}, 200 * kMiB, 1200 * kMiB},
      {{kNone, 1000 * kMiB, kNone, kNone}, 0, 1000 * kMiB},
      {{4000 * kMiB, 3000 * kMiB, 1000 * kMiB, 2000 * kMiB}, 500 * kMiB, 1000 * kMiB},
      {{4000 * kMiB, kNone, kNone, 800 * kMiB}, 0, 800 * kMiB},
      {{kNone, kNone, kNone, kNone}, 1, kNone},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(loadlimitfor(r.h, r.present), r.expected) << r.expected;
    if (r.present != 0) continue;
    EXPECT_TRUE(can_take(r.h, r.expected - 16 * kMiB, 16 * kMiB)) << r.expected;
    EXPECT_FALSE(can_take(r.h, r.expected - 16 * kMiB + 1, 16 * kMiB)) << r.expected;
  }
}

}  // namespace
}  // namespace vtr
