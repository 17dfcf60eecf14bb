// How long a fresh process takes to have anonymous memory provided and written, by each way
// of asking the kernel for its pages.
//
//   vtr_page_provisioning [RUNS [PAUSE_S]]   # the table: every way and size, RUNS fresh
//                                            # processes each (default 5), PAUSE_S seconds
//                                            # between two processes (default 1)
//   vtr_page_provisioning --one WAY MIB touch|fill   # one process: prints its figure in ms
//
// The ways: 4k (plain 4 KiB pages; huge pages advised against), huge (madvise MADV_HUGEPAGE),
// populate (mmap with MAP_POPULATE), huge+populate (MADV_HUGEPAGE, then the whole block
// faulted in at once with MADV_POPULATE_WRITE), thread (4 KiB pages, a second thread having
// the kernel fault in 2 MiB at a time ahead of the writer with MADV_POPULATE_WRITE, as the
// store's backing does), huge+thread (both, as the store is mapped today). Each figure is the
// median of the fresh processes, min-max in brackets, in ms from before the mmap to:
//   touch: one byte written in every 4 KiB page, in order;
//   fill:  every byte written, in order, 64 KiB at a time (the first fill of a store).
// Each process measures one of the two, so neither warms the other's pages. The pause lets
// memory freed by one process be reported to a virtual machine's host before the next starts,
// so each meets memory in the same state.
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kStep = 64 * 1024;
constexpr std::size_t kChunk = 2 * 1024 * 1024;
const char* const kWays[] = {"4k", "huge", "populate", "huge+populate", "thread", "huge+thread"};
const char* const kWhats[] = {"touch", "fill"};
constexpr int kSizesMib[] = {64, 128, 256, 512, 1024};

double now_ms() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return 1e3 * static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_nsec);
}

// The block, mapped the way `way` names; nullptr when the mapping fails.
std::uint8_t* provide(const std::string& way, std::size_t bytes) {
  const int flags = MAP_PRIVATE | MAP_ANONYMOUS | (way == "populate" ? MAP_POPULATE : 0);
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, flags, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  const bool huge = way.starts_with("huge");
  madvise(p, bytes, huge ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
  if (way == "huge+populate") madvise(p, bytes, MADV_POPULATE_WRITE);
  return static_cast<std::uint8_t*>(p);
}

void write_block(std::uint8_t* block, std::size_t bytes, bool fill) {
  if (fill) {
    for (std::size_t at = 0; at < bytes; at += kStep) std::memset(block + at, 0x5A, kStep);
  } else {
    for (std::size_t at = 0; at < bytes; at += kPage) block[at] = 0x5A;
  }
}

// One figure in this process: the time to provide and write `mib` MiB.
double one(const std::string& way, int mib, bool fill) {
  const std::size_t bytes = static_cast<std::size_t>(mib) << 20;
  const double t0 = now_ms();
  std::uint8_t* block = provide(way, bytes);
  if (block == nullptr) return -1;
  std::atomic<bool> done{false};
  std::thread ahead;
  if (way == "thread" || way == "huge+thread") {
    ahead = std::thread([&] {
      // As the store's backing thread does: the kernel asked to fault in one huge page's
      // worth at a time, writable, without changing what the writer sees.
      for (std::size_t at = 0; at < bytes && !done.load(std::memory_order_relaxed); at += kChunk) {
        madvise(block + at, std::min(kChunk, bytes - at), MADV_POPULATE_WRITE);
      }
    });
  }
  write_block(block, bytes, fill);
  const double t = now_ms() - t0;
  done = true;
  if (ahead.joinable()) ahead.join();
  munmap(block, bytes);
  return t;
}

// Starts this program for one figure and reads its answer; -1 when it fails.
double fresh(const char* self, const char* way, int mib, const char* what) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    const std::string size = std::to_string(mib);
    execl("/proc/self/exe", self, "--one", way, size.c_str(), what, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char line[64] = {};
  const ssize_t n = read(fds[0], line, sizeof line - 1);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::atof(line);
}

std::string cell(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  if (v.empty() || v.front() < 0) return "failed";
  char text[64];
  std::snprintf(text, sizeof text, "%.0f (%.0f-%.0f)", v[v.size() / 2], v.front(), v.back());
  return text;
}

void pause_s(double s) {
  const auto whole = static_cast<time_t>(s);
  const timespec t{whole, static_cast<long>((s - static_cast<double>(whole)) * 1e9)};
  nanosleep(&t, nullptr);
}

std::string system_setting(const char* path) {
  FILE* f = std::fopen(path, "r");
  if (f == nullptr) return "?";
  char text[128] = {};
  if (std::fgets(text, sizeof text, f) == nullptr) text[0] = '\0';
  std::fclose(f);
  std::string s = text;
  if (!s.empty() && s.back() == '\n') s.pop_back();
  return s;
}

int table(const char* self, int runs, double pause) {
  std::printf(
      "page provisioning: ms from before the mmap to the block written, median of %d fresh "
      "processes (min-max), %.0f s apart\n",
      runs, pause);
  std::printf("  transparent huge pages: enabled %s; defrag %s\n",
              system_setting("/sys/kernel/mm/transparent_hugepage/enabled").c_str(),
              system_setting("/sys/kernel/mm/transparent_hugepage/defrag").c_str());
  std::printf("  %-6s %-6s", "MiB", "write");
  for (const char* way : kWays) std::printf(" %-17s", way);
  std::printf("\n");
  for (int mib : kSizesMib) {
    for (const char* what : kWhats) {
      std::vector<std::vector<double>> figures(std::size(kWays));
      // Run by run, every way in turn, so a drift of the machine touches each alike.
      for (int r = 0; r < runs; ++r) {
        for (std::size_t w = 0; w < std::size(kWays); ++w) {
          figures[w].push_back(fresh(self, kWays[w], mib, what));
          pause_s(pause);
        }
      }
      std::printf("  %-6d %-6s", mib, what);
      for (const auto& f : figures) std::printf(" %-17s", cell(f).c_str());
      std::printf("\n");
      std::fflush(stdout);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--one") {
    const std::string what = argv[4];
    const double t = one(argv[2], std::atoi(argv[3]), what == "fill");
    if (t < 0) return 1;
    std::printf("%.3f\n", t);
    return 0;
  }
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  const double pause = argc > 2 ? std::atof(argv[2]) : 1.0;
  if (runs < 1 || pause < 0) {
    std::fprintf(stderr, "usage: %s [RUNS [PAUSE_S]] | --one WAY MIB touch|fill\n", argv[0]);
    return 2;
  }
  return table(argv[0], runs, pause);
}
