// Backing a freshly mapped store with memory on a second thread.
//
// A new store's pages come from the kernel, which clears each one when it is first written;
// for a store of 16 bytes a pixel that clearing is most of a load. While a decoder fills the
// rows, a second thread asks the kernel for the pages ahead of it, in order from the start, so
// both cores work. The thread only faults pages in; it never changes a stored value.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace vtr {

class StoreBacking {
 public:
  StoreBacking() = default;
  StoreBacking(const StoreBacking&) = delete;
  StoreBacking& operator=(const StoreBacking&) = delete;
  ~StoreBacking() { stop(); }

  // Starts backing [begin, begin + bytes) unless a run is going on, the range is too small to
  // be worth a thread, the process has only one processor to run on, or no thread can be
  // started.
  void start(void* begin, std::uint64_t bytes);

  // Stops the thread (at its next chunk) and waits for it. Called before the range is
  // unmapped.
  void stop();

  // True from start() until stop().
  bool running() const { return thread_.joinable(); }

  // How many bytes from the start are known to be backed; 0 when no run was started.
  std::uint64_t backed() const { return backed_.load(std::memory_order_acquire); }

 private:
  std::jthread thread_;
  std::atomic<std::uint64_t> backed_{0};
};

// Processors this process may run on (at least 1).
int usableprocessors();

}  // namespace vtr
