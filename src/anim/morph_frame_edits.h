// Edits of whole morph tracks by kind: shifting the lip keys in time and clearing the lip, eye or
// brow keys. Morph keys have no undo history, so neither can be undone.
#pragma once

#include <cstdint>

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::uint8_t kBrowMorph = 1;
inline constexpr std::uint8_t kEyeMorph = 2;
inline constexpr std::uint8_t kLipMorph = 3;

// Adds `delta` to the frame of every lip key but the heads; a key that would land on frame 0 or
// before leaves its track and is freed. Not done, and nothing changed, when a key would pass frame
// 2^31 - 1: the result carries the message why. The model's last frame rises to the last key
// shifted; the model is sampled again at the current frame.
Outcome shiftLipKeys(Scene& scene, Model& model, std::int32_t delta);

// The refusal of a shift whose keys would pass the last frame.
Message lipShiftBeyondLastFrameMessage();

// Every morph of `kind` keeps only its head key, at weight 0; the model is sampled again.
void clearMorphKeysOfKind(Scene& scene, Model& model, std::uint8_t kind);

}  // namespace zv
