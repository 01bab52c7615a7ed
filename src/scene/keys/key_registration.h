// Registering keys: each operation writes the key of one track at a frame, overwriting the key
// already there or linking a new record at the lowest free index. A written key is selected and
// raises the owner's last frame (the model's for model tracks, the scene's for the camera, light
// and accessory tracks). When a new record is needed and the pool is full, nothing changes and the
// result carries the registration message.
//
// All results test true when a key was written. Operations that take values read only the value
// fields of the record given (its frame, links and selection are ignored).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

struct KeyWrite {
  bool written = false;
  std::optional<Message> refusal;  // the pool-full message, when a full pool refused the key
  explicit operator bool() const { return written; }
};

// Appends the refusal of `write`, if any, to `messages`; returns whether the key was written.
bool noteRefusal(const KeyWrite& write, std::vector<Message>& messages);

struct KeyWrites {
  int written = 0;
  std::vector<Message> messages;  // one pool-full message per key refused
};

// Bone b's live pose (its key translation and rotation), with the automatic curves.
KeyWrite registerBoneKey(Scene& scene, Model& model, std::uint32_t bone, std::uint32_t frame);

// Explicit values and curves for bone b.
KeyWrite registerBoneKeyWithValues(Scene& scene, Model& model, std::uint32_t bone, std::uint32_t frame,
                                   const BoneKey& values);

// Explicit values and curves for the first bone named `boneName`, at frame + frameOffset
// (motion loading, key paste). False when no bone has the name or the frame passes 2^32 - 1.
KeyWrite registerBoneKeyByName(Scene& scene, Model& model, std::string_view boneName, std::uint32_t frame,
                               std::uint32_t frameOffset, const BoneKey& values);

// The same for the partner bone on the other side (findMirroredBone), with translation x and
// rotation y and z negated.
KeyWrite registerMirroredBoneKeyByName(Scene& scene, Model& model, std::string_view boneName,
                                       std::uint32_t frame, std::uint32_t frameOffset, const BoneKey& values);

// The pose editor's register command: clears the selection of all three model pools, registers
// every selected bone's live pose and clears the moved flag of each bone registered (a bone
// refused by a full pool keeps it, its pose is still unregistered). The bone pool's observer is
// told of the edit first.
KeyWrites registerSelectedBones(Scene& scene, Model& model, std::uint32_t frame);

// Morph m's live weight. The base morph (0) is never keyed: not written, and no message.
KeyWrite registerMorphKey(Scene& scene, Model& model, std::uint32_t morph, std::uint32_t frame);

// An explicit weight for the first morph named `morphName`, at frame + frameOffset.
KeyWrite registerMorphKeyByName(Scene& scene, Model& model, std::string_view morphName, std::uint32_t frame,
                                std::uint32_t frameOffset, float weight);

// The model's visible flag and every IK chain's enabled flag.
KeyWrite registerDisplayIkKey(Scene& scene, Model& model, std::uint32_t frame);

// An explicit visible flag; each chain takes the flag of the first entry naming its IK bone and
// is enabled when no entry names it.
KeyWrite registerDisplayIkKeyWithValues(Scene& scene, Model& model, std::uint32_t frame, bool visible,
                                        std::span<const IkFlagByName> ikFlags);

// The live camera, field of view truncated to whole degrees, all six curves straight.
KeyWrite registerCameraKey(Scene& scene, std::uint32_t frame);
// Explicit values and curves at currentFrame + relativeFrame (motion loading).
KeyWrite registerCameraKeyWithValues(Scene& scene, std::uint32_t relativeFrame, const CameraKey& values);

// The live light direction and colour.
KeyWrite registerLightKey(Scene& scene, std::uint32_t frame);
// Explicit values at currentFrame + relativeFrame.
KeyWrite registerLightKeyWithValues(Scene& scene, std::uint32_t relativeFrame, const LightKey& values);

// The current accessory's state (visible, shadow, parents, position, rotation, scale) on the
// track of slot currentAccessory.
KeyWrite registerAccessoryKey(Scene& scene, std::uint32_t frame, const AccessoryKey& values);

}  // namespace zv
