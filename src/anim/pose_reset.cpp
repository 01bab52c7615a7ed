#include "anim/pose_reset.h"

#include <algorithm>

#include "scene/undo/undo.h"

namespace zv {
namespace {

std::size_t boneCount(const Model& model) {
  return std::min({model.bones.size(), model.boneSelected.size(), model.boneMoved.size()});
}

bool recordSelectedPose(Scene& scene, Model& model) {
  const std::size_t count = boneCount(model);
  const bool anySelected =
      std::any_of(model.boneSelected.begin(), model.boneSelected.begin() + static_cast<std::ptrdiff_t>(count),
                  [](std::uint8_t selected) { return selected != 0; });
  if (anySelected) {
    beginStep(scene, model, UndoKind::Pose, scene.currentFrame);
  }
  return anySelected;
}

void setPose(Model& model, std::size_t bone, Vec3 translation, Quat rotation) {
  Bone& target = model.bones[bone];
  if (target.keyTranslation == translation && target.keyRotation == rotation) {
    return;
  }
  target.keyTranslation = translation;
  target.keyRotation = rotation;
  model.boneMoved[bone] = 1;
}

}  // namespace

void zeroSelectedBones(Scene& scene, Model& model, PoseComponent component) {
  if (!recordSelectedPose(scene, model)) {
    return;
  }
  for (std::size_t bone = 0; bone < boneCount(model); ++bone) {
    if (!model.boneSelected[bone]) {
      continue;
    }
    Bone& target = model.bones[bone];
    switch (component) {
      case PoseComponent::TranslationX:
        target.keyTranslation.x = 0.0f;
        break;
      case PoseComponent::TranslationY:
        target.keyTranslation.y = 0.0f;
        break;
      case PoseComponent::TranslationZ:
        target.keyTranslation.z = 0.0f;
        break;
      case PoseComponent::Rotation:
        target.keyRotation = Quat{};
        break;
    }
    model.boneMoved[bone] = 1;
  }
}

void resetSelectedBones(Scene& scene, Model& model) {
  if (!recordSelectedPose(scene, model)) {
    return;
  }
  if (model.boneSelected[0]) {
    const Vec3 grounded{model.bones[0].keyTranslation.x, 0.0f, model.bones[0].keyTranslation.z};
    setPose(model, 0, grounded, Quat{});
  }
  const Bone& first = model.bones[0];
  const Mat4 firstRotation = toMatrix(first.keyRotation);
  for (std::size_t bone = 1; bone < boneCount(model); ++bone) {
    if (!model.boneSelected[bone]) {
      continue;
    }
    if (model.bones[bone].parent >= 0) {
      setPose(model, bone, Vec3{}, Quat{});
      continue;
    }
    const Vec3 rest = model.bones[bone].head;
    const Vec3 following = transformDirection(rest, firstRotation) - rest + first.keyTranslation;
    setPose(model, bone, following, first.keyRotation);
  }
}

}  // namespace zv
