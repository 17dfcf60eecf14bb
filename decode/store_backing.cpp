#include "decode/store_backing.h"

#include <sched.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace vtr {

namespace {

constexpr std::uint64_t kChunk = 2u << 20;  // one huge page
// Smaller stores largely stay in the caches, where the paint finds them; streaming them out
// to memory and running a thread costs more than the faults it saves.
constexpr std::uint64_t kSmallestBackedStore = 64u << 20;
constexpr std::uint64_t kPage = 4096;

// Faults in [begin, begin + bytes) writable. Where the kernel does not know the request
// (before Linux 5.14), one zero is written at the start of each page instead: a page-aligned
// element is a channel-0 element, which holds 0 and which no decoder writes. False when the
// kernel refused for another reason (no memory, say): the backing then ends and the decoder
// meets whatever it meets on its own.
bool faultinchunk(char* begin, std::uint64_t bytes, bool& kernelpopulates) {
#ifdef MADV_POPULATE_WRITE
  if (kernelpopulates) {
    if (::madvise(begin, bytes, MADV_POPULATE_WRITE) == 0) return true;
    if (errno != EINVAL) return false;
  }
#endif
  kernelpopulates = false;
  for (std::uint64_t off = 0; off < bytes; off += kPage) {
    *reinterpret_cast<volatile std::int32_t*>(begin + off) = 0;
  }
  return true;
}

}  // namespace

int usableprocessors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return std::max(1, CPU_COUNT(&set));
}

void StoreBacking::start(void* begin, std::uint64_t bytes) {
  if (thread_.joinable() || begin == nullptr || bytes < kSmallestBackedStore) return;
  if (usableprocessors() < 2) return;
  backed_.store(0, std::memory_order_relaxed);
  char* first = static_cast<char*>(begin);
  try {
    thread_ = std::jthread([this, first, bytes](std::stop_token token) {
      bool kernelpopulates = true;
      for (std::uint64_t off = 0; off < bytes && !token.stop_requested(); off += kChunk) {
        const std::uint64_t n = std::min(kChunk, bytes - off);
        if (!faultinchunk(first + off, n, kernelpopulates)) return;
        backed_.store(off + n, std::memory_order_release);
      }
    });
  } catch (const std::system_error&) {
    // No thread could be had (a limit on the process's threads or its address space): the
    // decoder faults the pages in itself, on one core, as with one processor. Nothing is
    // known to be backed, so every row is written plainly.
  }
}

void StoreBacking::stop() {
  if (thread_.joinable()) {
    thread_.request_stop();
    thread_.join();
  }
  backed_.store(0, std::memory_order_relaxed);
}

}  // namespace vtr
