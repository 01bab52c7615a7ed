// The playback clock of the frame step while playing without recording: real time advances it,
// and past the end of the play range it either wraps to the start frame or stops playback.
#pragma once

#include <cstdint>
#include <string_view>

#include "scene/document/scene.h"

namespace zv {

// Characters of a frame box the clock reads, as the box holds at most seven.
inline constexpr std::size_t kFrameBoxChars = 7;

// The leading decimal number of a frame box (blanks, an optional sign, then digits, among the first
// seven characters); 0 when the text does not start with a number. A negative number is taken as
// unsigned, as every frame box is read, so "-1" is 4294967295.
std::uint32_t leadingFrameNumber(std::string_view text);

// What the caller does after the clock moved.
enum class PlaybackTick {
  Sample,  // still inside the play range: sample every track
  Repeat,  // wrapped to the start frame: restart the music there, reset the playback start, sample
  End,     // playback stopped at the end: refresh the timeline and uncheck the play button
};

// Advances currentTime by the last turn's duration. Past the play range's end it wraps to the frame
// in `startFrameText` when repeating (setting the range start too), else clears `playing`.
// Call only while playing and not recording.
PlaybackTick advancePlaybackClock(Scene& scene, std::string_view startFrameText);

}  // namespace zv
