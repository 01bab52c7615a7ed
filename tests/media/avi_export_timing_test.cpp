// Which animation frames a recording writes, its stream rate and the length of its music.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "media/avi_export_timing.h"

namespace zv {
namespace {

// The animation frames of the pictures a recording writes, as the frame step runs it.
std::vector<int> recordedFrames(std::uint32_t start, std::uint32_t end, float rate) {
  std::vector<int> frames;
  for (std::int32_t written = 0; !recordingPastEnd(start, end, written, rate); ++written) {
    frames.push_back(static_cast<int>(recordedFramePosition(start, written, rate)));
  }
  return frames;
}

TEST(AviExportTiming, PictureCountsFollowTheOutputRate) {
  EXPECT_EQ(recordedFrames(0, 0, 30.0f), std::vector<int>{0});
  EXPECT_EQ(recordedFrames(0, 0, 60.0f), (std::vector<int>{0, 0}));
  EXPECT_EQ(recordedFrames(10, 19, 24.0f), (std::vector<int>{10, 11, 12, 13, 15, 16, 17, 18}));

  const std::vector<int> everySecond = recordedFrames(0, 299, 15.0f);
  ASSERT_EQ(everySecond.size(), 150u);
  for (std::size_t picture = 0; picture < everySecond.size(); ++picture) {
    EXPECT_EQ(everySecond[picture], static_cast<int>(picture * 2));
  }
  // At 60 fps every frame is written twice, the second time half a frame later.
  EXPECT_EQ(recordedFramePosition(5, 3, 60.0f), 6.5f);
}

TEST(AviExportTiming, ThePictureCountIsWhatTheClockWritesWithoutWalkingIt) {
  for (const float rate : {30.0f, 60.0f, 24.0f, 15.0f, 29.97f, 0.5f, 1000.0f}) {
    for (const auto& [start, end] : {std::pair{0u, 0u}, std::pair{10u, 19u}, std::pair{7u, 1234u}}) {
      EXPECT_EQ(recordingPictureCount(start, end, rate),
                static_cast<std::int32_t>(recordedFrames(start, end, rate).size()))
          << start << ".." << end << " at " << rate;
    }
  }
  // A range no recording could finish stops at the largest count rather than running on.
  EXPECT_EQ(recordingPictureCount(0, std::numeric_limits<std::uint32_t>::max(), 1000.0f),
            std::numeric_limits<std::int32_t>::max());
}

TEST(AviExportTiming, TheEndIsComparedUnsignedNearTheTopOfTheRange) {
  const std::uint32_t last = std::numeric_limits<std::uint32_t>::max() - 200;
  EXPECT_FALSE(recordingPastEnd(last, last + 100, 0, 30.0f));
  EXPECT_TRUE(recordingPastEnd(last, last, 1000, 30.0f));
}

TEST(AviExportTiming, TheStreamRateKeepsTwoDecimals) {
  EXPECT_EQ(recordingStreamRate(23.976f).rate, 2397);
  EXPECT_EQ(recordingStreamRate(23.976f).scale, 100);
  EXPECT_EQ(recordingStreamRate(30.0f).rate, 3000);
  EXPECT_EQ(recordingStreamRate(29.97f).rate, 2997);
}

TEST(AviExportTiming, RatesThatCannotMakeAStreamAreRefused) {
  for (float rate : {0.0f, -30.0f, 0.001f, 1000.5f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity()}) {
    EXPECT_FALSE(recordFrameRateAcceptable(rate)) << rate;
  }
  for (float rate : {0.01f, 1.0f, 23.976f, 30.0f, 60.0f, 1000.0f}) {
    EXPECT_TRUE(recordFrameRateAcceptable(rate)) << rate;
  }
}

TEST(AviExportTiming, TheMusicEndsWhereTheRecordingStopped) {
  EXPECT_EQ(recordedAudioFrames(441000, 44100, 2.5f), 110251);  // samples 0 .. 110250
  EXPECT_EQ(recordedAudioFrames(1000, 44100, 2.5f), 1000);
  EXPECT_EQ(recordedAudioFrames(441000, 44100, 0.0f), 1);
  EXPECT_EQ(recordedAudioFrames(0, 44100, 2.5f), 0);
}

}  // namespace
}  // namespace zv
