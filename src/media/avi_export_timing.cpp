#include "media/avi_export_timing.h"

#include <algorithm>
#include <limits>

#include "scene/document/frame_time.h"

namespace zv {

StreamRate recordingStreamRate(float frameRate) {
  return {static_cast<int>(frameRate * 100.0f), 100};
}

bool recordFrameRateAcceptable(float frameRate) {
  return frameRate * 100.0f >= 1.0f && frameRate <= kMaxRecordFrameRate;
}

float recordedFramePosition(std::uint32_t startFrame, std::int32_t framesWritten, float frameRate) {
  return static_cast<float>(startFrame) +
         static_cast<float>(static_cast<std::int64_t>(framesWritten) * kFramesPerSecond) / frameRate;
}

bool recordingPastEnd(std::uint32_t startFrame, std::uint32_t endFrame, std::int32_t framesWritten,
                      float frameRate) {
  return static_cast<std::uint64_t>(recordedFramePosition(startFrame, framesWritten, frameRate)) > endFrame;
}

// The first count whose picture lies past the end, found by halving: the position only grows with
// the count, and a count is found in 31 tests whatever the range.
std::int32_t recordingPictureCount(std::uint32_t startFrame, std::uint32_t endFrame, float frameRate) {
  std::int32_t below = 0;
  std::int32_t above = std::numeric_limits<std::int32_t>::max();
  if (recordingPastEnd(startFrame, endFrame, below, frameRate)) {
    return 0;
  }
  while (above - below > 1) {
    const std::int32_t middle = below + (above - below) / 2;
    (recordingPastEnd(startFrame, endFrame, middle, frameRate) ? above : below) = middle;
  }
  return above;
}

std::int64_t recordedAudioFrames(std::int64_t availableFrames, int sampleRate, float stopSeconds) {
  const std::int64_t stopMilliseconds =
      std::max<std::int64_t>(0, static_cast<std::int64_t>(stopSeconds * 1000.0f));
  const std::int64_t lastAtStop = stopMilliseconds * sampleRate / 1000;
  return std::min(availableFrames, lastAtStop + 1);
}

}  // namespace zv
