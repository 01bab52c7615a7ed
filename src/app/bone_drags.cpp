#include "app/bone_drags.h"

#include <cmath>

namespace zv {
namespace {

bool hasSelectedBone(const Model& model) {
  return model.selectedBone >= 0 && static_cast<std::size_t>(model.selectedBone) < model.bones.size();
}

// Bones that carry their own translation and whose parent does not already move them.
bool carriedAlong(const Model& model, std::size_t bone) {
  const Bone& b = model.bones[bone];
  if (!model.boneSelected[bone] || (b.type != kBoneTypeRotateMove && b.type != kBoneTypeMove)) {
    return false;
  }
  return b.parent < 0 || static_cast<std::size_t>(b.parent) >= model.bones.size() ||
         !model.boneSelected[static_cast<std::size_t>(b.parent)];
}

Vec3 posedHead(const Bone& bone) {
  return transformPoint(bone.head, bone.globalTransform);
}

}  // namespace

Quat turnAbout(Vec3 axis, float halfAngle) {
  const float s = std::sin(halfAngle);
  return {axis.x * s, axis.y * s, axis.z * s, std::cos(halfAngle)};
}

Vec3 intoBoneFrame(const Bone& bone, Vec3 v) {
  const auto& r = bone.globalRotation.m;
  return {v.x * r[0][0] + v.y * r[0][1] + v.z * r[0][2], v.x * r[1][0] + v.y * r[1][1] + v.z * r[1][2],
          v.x * r[2][0] + v.y * r[2][1] + v.z * r[2][2]};
}

void turnSelectedBones(Model& model, Quat turn) {
  if (!hasSelectedBone(model)) {
    return;
  }
  const auto selected = static_cast<std::size_t>(model.selectedBone);
  const Vec3 pivot = posedHead(model.bones[selected]);
  const Mat4 rotation = toMatrix(turn);
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    if (i == selected || !carriedAlong(model, i)) {
      continue;
    }
    Bone& bone = model.bones[i];
    const Vec3 relative = posedHead(bone) - pivot;
    bone.keyTranslation = bone.keyTranslation + (transformDirection(relative, rotation) - relative);
    bone.keyRotation = turn * bone.keyRotation;
    model.boneMoved[i] = 1;
  }
  Bone& bone = model.bones[selected];
  bone.keyRotation = turn * bone.keyRotation;
  model.boneMoved[selected] = 1;
}

void moveSelectedBones(Model& model, Vec3 offset) {
  if (!hasSelectedBone(model)) {
    return;
  }
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    if (carriedAlong(model, i)) {
      Bone& bone = model.bones[i];
      bone.keyTranslation = bone.keyTranslation + intoBoneFrame(bone, offset);
      model.boneMoved[i] = 1;
    }
  }
}

}  // namespace zv
