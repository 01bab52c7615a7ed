// The scene's time base: frame numbers count at this rate, and a time in seconds is frame / rate.
#pragma once

namespace zv {

inline constexpr int kFramesPerSecond = 30;

}  // namespace zv
