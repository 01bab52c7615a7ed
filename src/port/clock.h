// The main loop's clock: readings in ticks, and sleeping. Tests substitute a fake.
#pragma once

#include <cstdint>

namespace zv::port {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t now() = 0;
  virtual float secondsPerTick() const = 0;
  virtual void sleepMilliseconds(std::int64_t milliseconds) = 0;
};

// std::chrono::steady_clock in nanoseconds.
class SteadyClock : public Clock {
 public:
  std::int64_t now() override;
  float secondsPerTick() const override { return 1e-9f; }
  void sleepMilliseconds(std::int64_t milliseconds) override;
};

}  // namespace zv::port
