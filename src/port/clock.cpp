#include "port/clock.h"

#include <chrono>
#include <thread>

namespace zv::port {

std::int64_t SteadyClock::now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SteadyClock::sleepMilliseconds(std::int64_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace zv::port
