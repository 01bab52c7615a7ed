#include "port/pacing.h"

#include <gtest/gtest.h>

namespace zv::port {
namespace {

constexpr float kMillisecondTicks = 0.001f;  // a clock counting milliseconds

TEST(Pacing, SleepsTheRestOfTheFramePeriod) {
  // Limit 30 with a 10 ms frame: about 23 ms of sleep, and the turn reports a whole 1/30 s.
  PacingTurn turn = paceIdleTurn(1000, 1010, kMillisecondTicks, 30.0f);
  EXPECT_EQ(turn.sleepMilliseconds, 23);
  EXPECT_NEAR(turn.frameElapsedSeconds, 1.0f / 30.0f, 1e-6f);
  EXPECT_EQ(turn.nextLastTick, 1010 + 23);
}

TEST(Pacing, NeverSleepsWhenTheFrameTookLonger) {
  PacingTurn turn = paceIdleTurn(0, 40, kMillisecondTicks, 30.0f);
  EXPECT_EQ(turn.sleepMilliseconds, 0);
  EXPECT_FLOAT_EQ(turn.frameElapsedSeconds, 0.04f);
  EXPECT_EQ(turn.nextLastTick, 40);
}

TEST(Pacing, UnlimitedRateSleepsOnlyBelowOneMillisecond) {
  constexpr float kNanosecondTicks = 1e-9f;
  EXPECT_EQ(paceIdleTurn(0, 2'000'000, kNanosecondTicks, 1000.0f).sleepMilliseconds, 0);
  PacingTurn quick = paceIdleTurn(0, 400'000, kNanosecondTicks, 1000.0f);
  EXPECT_EQ(quick.sleepMilliseconds, 0);  // 0.6 ms truncates to no sleep, yet the turn reports 1 ms
  EXPECT_NEAR(quick.frameElapsedSeconds, 0.001f, 1e-7f);
  EXPECT_GT(quick.nextLastTick, 400'000);
}

TEST(Pacing, SixtyFramesPerSecond) {
  PacingTurn turn = paceIdleTurn(0, 0, kMillisecondTicks, 60.0f);
  EXPECT_EQ(turn.sleepMilliseconds, 16);
  EXPECT_NEAR(turn.frameElapsedSeconds, 1.0f / 60.0f, 1e-6f);
}

}  // namespace
}  // namespace zv::port
