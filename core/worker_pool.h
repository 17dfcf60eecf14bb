// Threads that share the rows of a long task (the load, the paint) with the thread that runs
// it. The pool is made once and kept: its threads are started at the first run that wants
// them and wait, parked, between runs. A thread the system refuses to start (a process or
// thread limit) is simply not there: the runs go on with the threads there are, with none on
// the calling thread alone.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vtr {

// The CPUs this process may run on (its affinity mask: `taskset -c 0` gives 1), or the
// machine's count where the mask cannot be read; at least 1.
int usable_cores();

class WorkerPool {
 public:
  // A pool of `workers` workers (at least 1), the calling thread of run() being one of them:
  // it starts at most `workers` - 1 threads of its own.
  explicit WorkerPool(int workers = usable_cores());
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;
  // Tells the threads to end and waits for them; no run may be going on.
  ~WorkerPool();

  // The most workers a run can have: the calling thread and the threads the pool may start.
  int workers() const { return workers_; }

  // Runs job(k) once for each worker k = 0 .. n - 1, n = min(want, the workers there are),
  // job(0) on the calling thread, and returns when every job that started has returned,
  // rethrowing the first exception one of them threw. A thread that wakes only after the
  // calling thread's job has returned takes no part: jobs must share their work so that any of
  // them can do all of it (as rows handed out one run at a time are). Threads not started yet
  // are started first. Only one run at a time, from one thread.
  void run(int want, const std::function<void(int worker)>& job);

 private:
  void start_threads(int wanted);
  void serve();

  int workers_;
  bool start_refused_ = false;  // the system refused a thread: no more are asked for
  std::vector<std::thread> threads_;

  std::mutex mutex_;
  std::condition_variable wake_;  // a new run, or the end of the pool
  std::condition_variable done_;  // the last thread of a run has finished its job
  const std::function<void(int)>* job_ = nullptr;
  std::uint64_t run_number_ = 0;
  int open_places_ = 0;  // threads that may still join the current run
  int next_worker_ = 1;  // the number the next thread to join takes
  int running_ = 0;      // threads inside the current run's job
  bool ending_ = false;
  std::exception_ptr failure_;
};

}  // namespace vtr
