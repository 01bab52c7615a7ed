// Random blinks: four keys of the model's "まばたき" morph that close and reopen the eyes, scattered
// over a frame range in random steps of 51 to 230 frames with an occasional quick second blink.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "files/key_generation/blink_random.h"
#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

struct BlinkRange {
  std::int32_t start = 0;  // first frame the walk stands on
  std::int32_t end = 0;    // blinks start while the walk is below it, so the last may start past it
};

// Asks the user for the range; nothing when the question is cancelled.
using BlinkRangeQuestion = std::function<std::optional<BlinkRange>()>;

struct BlinkInsertion {
  std::optional<int> count;  // blinks added; nothing when the command stopped before walking
  std::vector<Message> messages;
};

// The blink command on the current model (nothing in camera mode or with no model): looks for the
// blink morph (its absence is told and stops the command), asks for the range, registers the
// blinks, raises the scene's last frame, tells the count and sets modified. A negative frame is
// refused with a message. The walk stops at the first key a full pool refuses (its message comes
// before the count); only whole blinks are counted.
BlinkInsertion insertBlinks(Scene& scene, const BlinkRangeQuestion& askRange,
                            BlinkRandom& random = processBlinkRandom());

// The same with the range already known (batch use).
BlinkInsertion insertBlinks(Scene& scene, BlinkRange range, BlinkRandom& random = processBlinkRandom());

}  // namespace zv
