// The scene's own key and pose clipboards. Records carry names instead of indices and frames
// relative to the earliest key copied, so a paste can land on another model and another frame.
// Nothing here is shared with other programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/document/math.h"
#include "scene/keys/key_records.h"

namespace zv {

struct CopiedBoneKey {
  std::string boneName;  // CP932
  std::uint32_t relativeFrame = 0;
  BoneKey values;  // rotation, translation and curves; frame, links and selection unused
};

struct CopiedMorphKey {
  std::string morphName;  // CP932
  std::uint32_t relativeFrame = 0;
  float weight = 0;
};

struct CopiedDisplayIkKey {
  std::uint32_t relativeFrame = 0;
  bool visible = true;
  std::vector<IkFlagByName> ikFlags;
};

struct CopiedCameraKey {
  std::uint32_t relativeFrame = 0;
  CameraKey values;
};

struct CopiedLightKey {
  std::uint32_t relativeFrame = 0;
  LightKey values;
};

// Each copy replaces the parts of its mode: bone, morph and display/IK keys in model mode,
// camera and light keys in camera mode.
struct KeyClipboard {
  std::vector<CopiedBoneKey> boneKeys;
  std::vector<CopiedMorphKey> morphKeys;
  std::vector<CopiedDisplayIkKey> displayIkKeys;
  std::vector<CopiedCameraKey> cameraKeys;
  std::vector<CopiedLightKey> lightKeys;
};

// One selected bone's live pose.
struct CopiedBonePose {
  std::string boneName;  // CP932
  Vec3 translation;
  Quat rotation;
};

struct PoseClipboard {
  std::vector<CopiedBonePose> bones;  // in bone order
};

}  // namespace zv
