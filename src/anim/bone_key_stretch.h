// Stretching or squeezing a stretch of a model's bone keys in time.
#pragma once

#include <cstdint>

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

// The bone keys (heads included) whose frames lie in from..to move to the current frame plus
// (frame - from) x scale, truncated; keys after `to` stay where they are, so a stretched key may
// overwrite one. The deletion and the new keys are one undo step; the moved keys end selected,
// every other bone and morph key unselected, display and IK keys as they were. The model is
// sampled again at the current frame.
//
// Not done, and nothing changed, when to <= from, scale < 0.00001 or exactly 1, no key lies in the
// range, or a key would land beyond frame 2^31 - 1 (the result then carries the message why).
// Keys refused by a full pool are reported in the result's messages.
Outcome stretchBoneKeys(Scene& scene, Model& model, std::int32_t from, std::int32_t to, float scale);

// The refusal of a stretch whose keys would pass the last frame.
Message stretchBeyondLastFrameMessage();

}  // namespace zv
