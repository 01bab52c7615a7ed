#include "port/worker_pool.h"

#include <utility>

namespace zv::port {

WorkerPool::WorkerPool(unsigned threads) : wanted_(threads) {}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  jobPosted_.notify_all();
  for (std::thread& thread : threads_) {
    thread.join();
  }
}

unsigned WorkerPool::defaultThreadCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 1 ? cores - 1 : 0;
}

void WorkerPool::startThreads() {
  threads_.reserve(wanted_);
  for (unsigned t = 0; t < wanted_; ++t) {
    threads_.emplace_back([this] { work(); });
  }
}

// Hands out parts until none is left; called with mutex_ held, which it drops around each part.
void WorkerPool::takeParts() {
  while (next_ < count_) {
    const std::size_t index = next_++;
    mutex_.unlock();
    try {
      (*part_)(index);
    } catch (...) {
      std::lock_guard lock(mutex_);
      if (!failure_) {
        failure_ = std::current_exception();
      }
    }
    mutex_.lock();
  }
}

void WorkerPool::work() {
  std::unique_lock lock(mutex_);
  std::size_t jobsSeen = 0;
  for (;;) {
    jobPosted_.wait(lock, [&] { return stopping_ || jobNumber_ != jobsSeen; });
    if (stopping_) {
      return;
    }
    jobsSeen = jobNumber_;
    takeParts();
    if (--helpersBusy_ == 0) {
      jobDone_.notify_one();
    }
  }
}

void WorkerPool::run(std::size_t count, const std::function<void(std::size_t)>& part) {
  if (count < 2 || wanted_ == 0) {
    for (std::size_t i = 0; i < count; ++i) {
      part(i);
    }
    return;
  }
  if (threads_.empty()) {
    startThreads();
  }
  std::unique_lock lock(mutex_);
  part_ = &part;
  count_ = count;
  next_ = 0;
  failure_ = nullptr;
  helpersBusy_ = static_cast<unsigned>(threads_.size());
  ++jobNumber_;
  jobPosted_.notify_all();
  takeParts();
  jobDone_.wait(lock, [&] { return helpersBusy_ == 0; });
  part_ = nullptr;
  if (std::exception_ptr failure = std::exchange(failure_, nullptr)) {
    std::rethrow_exception(failure);
  }
}

}  // namespace zv::port
