#include "files/key_generation/blink_random.h"

namespace zv {

int nextBlinkDraw(BlinkRandom& random) {
  random.state = random.state * 214013u + 2531011u;
  return static_cast<int>((random.state >> 16) & 0x7FFFu);
}

BlinkRandom& processBlinkRandom() {
  static BlinkRandom random;
  return random;
}

}  // namespace zv
