#include "media/avi_export_timing.h"

#include <algorithm>

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

std::int64_t recordedAudioFrames(std::int64_t availableFrames, int sampleRate, float stopSeconds) {
  const std::int64_t stopMilliseconds =
      std::max<std::int64_t>(0, static_cast<std::int64_t>(stopSeconds * 1000.0f));
  const std::int64_t lastAtStop = stopMilliseconds * sampleRate / 1000;
  return std::min(availableFrames, lastAtStop + 1);
}

}  // namespace zv
