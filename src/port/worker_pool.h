// A few threads that share one job with the calling thread: the parts of the job are handed out
// one at a time, so a slow part does not hold back the others. Made for work that repeats every
// frame (posing each model): the threads start on the first job that has two parts and then wait
// for the next one.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zv::port {

class WorkerPool {
 public:
  // `threads` helpers besides the caller; by default one fewer than the machine's cores.
  explicit WorkerPool(unsigned threads = defaultThreadCount());
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // Runs part(i) for every i below `count`, each exactly once, and returns when all have run.
  // A job of one part, or a pool without helpers, runs on the caller alone and synchronises
  // nothing. The first exception a part throws is thrown here once every part has ended. One job
  // at a time: a part must not start another on the same pool.
  void run(std::size_t count, const std::function<void(std::size_t)>& part);

  unsigned threadCount() const { return wanted_; }
  static unsigned defaultThreadCount();

 private:
  void startThreads();
  void work();
  void takeParts();

  unsigned wanted_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable jobPosted_;
  std::condition_variable jobDone_;
  // The job, guarded by mutex_: its parts, the next one to hand out, the helpers still on it.
  const std::function<void(std::size_t)>* part_ = nullptr;
  std::size_t count_ = 0;
  std::size_t next_ = 0;
  std::size_t jobNumber_ = 0;
  unsigned helpersBusy_ = 0;
  std::exception_ptr failure_;
  bool stopping_ = false;
};

}  // namespace zv::port
