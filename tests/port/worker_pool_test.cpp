#include "port/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace zv::port {
namespace {

TEST(WorkerPool, RunsEveryPartOnceJobAfterJob) {
  WorkerPool pool(3);
  for (std::size_t count : {0u, 1u, 2u, 7u, 100u, 1u, 64u}) {
    std::vector<std::atomic<int>> runs(count);
    pool.run(count, [&](std::size_t i) { runs[i].fetch_add(1); });
    for (std::size_t i = 0; i < count; ++i) {
      EXPECT_EQ(runs[i].load(), 1) << "part " << i << " of " << count;
    }
  }
}

TEST(WorkerPool, OnePartStaysOnTheCallerAndTwoRunSideBySide) {
  WorkerPool pool(1);
  const std::thread::id caller = std::this_thread::get_id();
  std::thread::id ranOn;
  pool.run(1, [&](std::size_t) { ranOn = std::this_thread::get_id(); });
  EXPECT_EQ(ranOn, caller);

  // Each part waits for the other to start, which only happens when they run side by side (the
  // deadline only keeps a broken pool from hanging the test).
  std::atomic<int> started{0};
  std::atomic<int> sawTheOther{0};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  pool.run(2, [&](std::size_t) {
    started.fetch_add(1);
    while (started.load() < 2 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
    sawTheOther.fetch_add(started.load() == 2 ? 1 : 0);
  });
  EXPECT_EQ(sawTheOther.load(), 2);
}

TEST(WorkerPool, APoolWithoutHelpersRunsInOrderOnTheCaller) {
  WorkerPool pool(0);
  std::vector<std::size_t> order;
  pool.run(5, [&](std::size_t i) { order.push_back(i); });
  EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

TEST(WorkerPool, AFailingPartIsReportedAfterTheOthersRan) {
  WorkerPool pool(2);
  std::atomic<int> runs{0};
  EXPECT_THROW(pool.run(20,
                        [&](std::size_t i) {
                          runs.fetch_add(1);
                          if (i == 3) {
                            throw std::runtime_error("part 3");
                          }
                        }),
               std::runtime_error);
  EXPECT_EQ(runs.load(), 20);
  // The pool goes on working after a failure.
  std::atomic<int> later{0};
  pool.run(10, [&](std::size_t) { later.fetch_add(1); });
  EXPECT_EQ(later.load(), 10);
}

}  // namespace
}  // namespace zv::port
