// The values of each kind of track between two of its keys. The curve that eases a segment is
// the one stored in the later key.
#pragma once

#include <cstdint>

#include "scene/document/scene.h"
#include "scene/keys/key_records.h"

namespace zv {

// Spherical interpolation from qa (w = 0) to qb (w = 1). When the quaternions lie in opposite
// hemispheres the path goes through -qb, the shorter arc to the same rotation.
Quat slerp(Quat qa, Quat qb, float w);

// Where frame position f lies between two key frames: 0 at `fromFrame`, 1 at `toFrame`.
float segmentPosition(std::uint32_t fromFrame, std::uint32_t toFrame, float f);

// Bone translation at segment position u: each channel eased by its own movement curve.
Vec3 interpolateBoneTranslation(const BoneKey& prev, const BoneKey& key, float u);
// Bone rotation at segment position u, eased by the rotation curve.
Quat interpolateBoneRotation(const BoneKey& prev, const BoneKey& key, float u);

// Morph weight at segment position u: linear, morph keys carry no curve.
float interpolateMorphWeight(const MorphKey& prev, const MorphKey& key, float u);

LiveCamera cameraAtKey(const CameraKey& key);
// The camera at frame position f between two keys. Keys one frame apart are a cut: the earlier
// key holds until f reaches the later one, so no in-between shot is ever shown.
LiveCamera interpolateCamera(const CameraKey& prev, const CameraKey& key, float f);

LiveLight lightAtKey(const LightKey& key);
// Light direction and colour at segment position u, linear.
LiveLight interpolateLight(const LightKey& prev, const LightKey& key, float u);

// Accessories step from key to key: every driven field takes this key's value. The shadow flag
// is the accessory's own and is not driven by its track.
void applyAccessoryKey(AccessoryState& accessory, const AccessoryKey& key);

}  // namespace zv
