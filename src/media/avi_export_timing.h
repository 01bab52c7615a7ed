// The arithmetic of a recording: the stream's rate, which animation frame each picture shows and
// when the recording is over, and how much music goes with it.
#pragma once

#include <cstdint>

namespace zv {

// Highest output rate a recording accepts; more would only repeat every animation frame.
inline constexpr float kMaxRecordFrameRate = 1000.0f;

// The stream shows `rate` pictures every `scale` seconds.
struct StreamRate {
  int rate = 0;
  int scale = 100;
};

// trunc(frameRate x 100) pictures per 100 seconds: 23.976 becomes 2397 / 100.
StreamRate recordingStreamRate(float frameRate);

// A rate a recording can use: a number whose stream rate is at least 1 / 100 and at most
// kMaxRecordFrameRate.
bool recordFrameRateAcceptable(float frameRate);

// The animation frame (fractional) the next picture shows: start + written x 30 / rate.
float recordedFramePosition(std::uint32_t startFrame, std::int32_t framesWritten, float frameRate);

// True once the next picture would show a frame after `endFrame`: the recording is complete.
bool recordingPastEnd(std::uint32_t startFrame, std::uint32_t endFrame, std::int32_t framesWritten,
                      float frameRate);

// The pictures a recording of start..end at `frameRate` writes before its clock passes the end
// frame; at most the largest signed 32-bit count.
std::int32_t recordingPictureCount(std::uint32_t startFrame, std::uint32_t endFrame, float frameRate);

// Sample frames of music that go with a recording stopped at `stopSeconds`: all of them, or those
// up to and including the sample at that time when that is earlier.
std::int64_t recordedAudioFrames(std::int64_t availableFrames, int sampleRate, float stopSeconds);

}  // namespace zv
