#include "anim/skeleton_pose.h"

namespace zv {

Mat4 localTransform(const Bone& bone, const Mat4& rotation) {
  return translation(Vec3{} - bone.head) * rotation * translation(bone.keyTranslation) *
         translation(bone.head);
}

void poseSkeleton(Model& model) {
  std::vector<Bone>& bones = model.bones;
  for (Bone& bone : bones) {
    if (bone.type == kBoneTypeIkReset) {
      bone.ikRotation = Quat{};
    }
    Mat4 rotation = toMatrix(bone.keyRotation);
    if (bone.type == kBoneTypeLinked) {
      rotation = rotation * toMatrix(bones[bone.linkedBone].keyRotation);
    }
    bone.globalRotation = rotation;
    bone.globalTransform = localTransform(bone, rotation);
  }
  for (Bone& bone : bones) {
    if (bone.parent >= 0) {
      const Bone& parent = bones[bone.parent];
      bone.globalTransform = bone.globalTransform * parent.globalTransform;
      bone.globalRotation = bone.globalRotation * parent.globalRotation;
      bone.parentRotation = parent.globalRotation;
    }
    // Outside IK the working transforms mirror the pose; a root that IK never touches keeps them too.
    bone.ikTransform = bone.globalTransform;
    bone.ikRotationMatrix = bone.globalRotation;
  }
}

}  // namespace zv
