// The random source of blink insertion: a linear-congruential generator that starts at 1 when the
// process starts and is never reseeded, so the same blink commands after start-up give the same
// blinks in every run.
#pragma once

#include <cstdint>

namespace zv {

struct BlinkRandom {
  std::uint32_t state = 1;
};

// The next draw, 0..32767.
int nextBlinkDraw(BlinkRandom& random);

// The process's one generator, which the blink command draws from.
BlinkRandom& processBlinkRandom();

}  // namespace zv
