#include "core/worker_pool.h"

#include <sched.h>

#include <algorithm>
#include <system_error>

namespace vtr {

int usable_cores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(CPU_COUNT(&set), 1);
  return std::max(static_cast<int>(std::thread::hardware_concurrency()), 1);
}

WorkerPool::WorkerPool(int workers) : workers_(std::max(workers, 1)) {}

WorkerPool::~WorkerPool() {
  {
    const std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void WorkerPool::start_threads(int wanted) {
  while (!start_refused_ && static_cast<int>(threads_.size()) < wanted) {
    try {
      threads_.emplace_back([this] { serve(); });
    } catch (const std::system_error&) {
      // A process or thread limit: the runs make do with the threads there are.
      start_refused_ = true;
    }
  }
}

void WorkerPool::run(int want, const std::function<void(int)>& job) {
  const int wanted = std::min(want, workers_) - 1;
  start_threads(wanted);
  const int helpers = std::min(wanted, static_cast<int>(threads_.size()));
  if (helpers <= 0) {
    job(0);
    return;
  }
  {
    const std::lock_guard lock(mutex_);
    job_ = &job;
    ++run_number_;
    open_places_ = helpers;
    next_worker_ = 1;
    failure_ = nullptr;
  }
  wake_.notify_all();
  std::exception_ptr own;
  try {
    job(0);
  } catch (...) {
    own = std::current_exception();
  }
  std::unique_lock lock(mutex_);
  open_places_ = 0;  // a thread that has not woken yet stays out of this run
  done_.wait(lock, [this] { return running_ == 0; });
  job_ = nullptr;
  std::exception_ptr failure = own ? own : failure_;
  failure_ = nullptr;
  lock.unlock();
  if (failure) std::rethrow_exception(failure);
}

void WorkerPool::serve() {
  std::uint64_t seen = 0;
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return ending_ || (run_number_ != seen && open_places_ > 0); });
    if (ending_) return;
    seen = run_number_;
    const int worker = next_worker_++;
    --open_places_;
    ++running_;
    const std::function<void(int)>& job = *job_;
    lock.unlock();
    std::exception_ptr failure;
    try {
      job(worker);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    if (failure && !failure_) failure_ = failure;
    if (--running_ == 0) done_.notify_one();
  }
}

}  // namespace vtr
