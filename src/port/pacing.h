// Frame pacing of the main loop: how long an idle turn sleeps and how much time it reports.
#pragma once

#include <cstdint>

namespace zv::port {

// One idle turn of the main loop, computed from clock readings only, so tests drive it with a fake clock.
struct PacingTurn {
  float frameElapsedSeconds;       // duration of this turn, sleep included: what the frame step reads
  std::int64_t sleepMilliseconds;  // how long to sleep before the frame step (0: no sleep)
  std::int64_t nextLastTick;       // clock reading the next turn measures from: now plus the planned sleep
};

// `lastTick` and `now` are clock ticks of `secondsPerTick` seconds each; `frameRateLimit` is the
// frames-per-second cap (60, 30 or 1000). The planned wake-up, not the measured one, starts the next
// turn: oversleeping shows up as a longer next interval and shortens that turn's sleep.
PacingTurn paceIdleTurn(std::int64_t lastTick, std::int64_t now, float secondsPerTick, float frameRateLimit);

}  // namespace zv::port
