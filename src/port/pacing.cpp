#include "port/pacing.h"

namespace zv::port {

PacingTurn paceIdleTurn(std::int64_t lastTick, std::int64_t now, float secondsPerTick, float frameRateLimit) {
  PacingTurn turn{static_cast<float>(now - lastTick) * secondsPerTick, 0, now};
  float remaining = 1.0f / frameRateLimit - turn.frameElapsedSeconds;
  if (remaining > 0.0f) {
    turn.sleepMilliseconds = static_cast<std::int64_t>(remaining * 1000.0f);
    turn.nextLastTick = now + static_cast<std::int64_t>(remaining / secondsPerTick);
    turn.frameElapsedSeconds += remaining;
  }
  return turn;
}

}  // namespace zv::port
