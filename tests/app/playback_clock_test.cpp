#include "app/playback_clock.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(LeadingFrameNumber, ReadsBlanksSignAndDigitsOfTheFirstSevenCharacters) {
  EXPECT_EQ(leadingFrameNumber("120"), 120u);
  EXPECT_EQ(leadingFrameNumber("  +45x"), 45u);
  EXPECT_EQ(leadingFrameNumber("\t9 9"), 9u);
  EXPECT_EQ(leadingFrameNumber("12345678"), 1234567u);
  EXPECT_EQ(leadingFrameNumber("      12"), 1u);
  EXPECT_EQ(leadingFrameNumber("abc"), 0u);
  EXPECT_EQ(leadingFrameNumber(""), 0u);
  EXPECT_EQ(leadingFrameNumber("-"), 0u);
  EXPECT_EQ(leadingFrameNumber("- 5"), 0u);
}

TEST(LeadingFrameNumber, NegativeNumbersAreTakenAsUnsigned) {
  EXPECT_EQ(leadingFrameNumber("-1"), 4294967295u);
  EXPECT_EQ(leadingFrameNumber("-999999"), 4294967295u - 999998u);
}

void startPlaying(Scene& scene, float currentTime, float elapsed) {
  scene.playing = true;
  scene.playRangeStartTime = 1.0f;
  scene.playRangeEndTime = 2.0f;
  scene.currentTime = currentTime;
  scene.frameElapsedSeconds = elapsed;
}

TEST(PlaybackClock, AdvancesByTheLastTurnInsideTheRangeAndAtItsEnd) {
  Scene scene;
  startPlaying(scene, 1.5f, 0.25f);
  EXPECT_EQ(advancePlaybackClock(scene, "30"), PlaybackTick::Sample);
  EXPECT_FLOAT_EQ(scene.currentTime, 1.75f);
  EXPECT_EQ(advancePlaybackClock(scene, "30"), PlaybackTick::Sample);
  EXPECT_EQ(scene.currentTime, 2.0f);
  EXPECT_TRUE(scene.playing);
}

TEST(PlaybackClock, PastTheEndWithoutRepeatStops) {
  Scene scene;
  startPlaying(scene, 1.99f, 0.02f);
  EXPECT_EQ(advancePlaybackClock(scene, "30"), PlaybackTick::End);
  EXPECT_FALSE(scene.playing);
  EXPECT_FLOAT_EQ(scene.currentTime, 2.01f);
  EXPECT_EQ(scene.playRangeStartTime, 1.0f);
}

TEST(PlaybackClock, PastTheEndWithRepeatWrapsToTheStartBoxFrame) {
  Scene scene;
  startPlaying(scene, 1.99f, 0.02f);
  scene.repeatPlayback = true;
  EXPECT_EQ(advancePlaybackClock(scene, " 45"), PlaybackTick::Repeat);
  EXPECT_TRUE(scene.playing);
  EXPECT_EQ(scene.currentTime, 45.0f / 30.0f);
  EXPECT_EQ(scene.playRangeStartTime, 45.0f / 30.0f);
}

TEST(PlaybackClock, RepeatWithAStartBoxThatIsNoNumberRestartsAtFrameZero) {
  Scene scene;
  startPlaying(scene, 2.0f, 0.1f);
  scene.repeatPlayback = true;
  EXPECT_EQ(advancePlaybackClock(scene, "abc"), PlaybackTick::Repeat);
  EXPECT_EQ(scene.currentTime, 0.0f);
  EXPECT_EQ(scene.playRangeStartTime, 0.0f);
}

}  // namespace
}  // namespace zv
