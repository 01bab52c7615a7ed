#include "app/playback_clock.h"

namespace zv {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::uint32_t leadingFrameNumber(std::string_view text) {
  text = text.substr(0, kFrameBoxChars);
  std::size_t at = 0;
  while (at < text.size() && isBlank(text[at])) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  // Seven characters hold at most 9,999,999: no overflow.
  std::int32_t value = 0;
  while (at < text.size() && isDigit(text[at])) {
    value = value * 10 + (text[at] - '0');
    ++at;
  }
  return static_cast<std::uint32_t>(negative ? -value : value);
}

PlaybackTick advancePlaybackClock(Scene& scene, std::string_view startFrameText) {
  scene.currentTime += scene.frameElapsedSeconds;
  if (scene.currentTime <= scene.playRangeEndTime) {
    return PlaybackTick::Sample;
  }
  if (scene.repeatPlayback) {
    const float startTime = static_cast<float>(leadingFrameNumber(startFrameText)) / kFramesPerSecond;
    scene.playRangeStartTime = startTime;
    scene.currentTime = startTime;
    return PlaybackTick::Repeat;
  }
  scene.playing = false;
  return PlaybackTick::End;
}

}  // namespace zv
