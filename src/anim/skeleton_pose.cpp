#include "anim/skeleton_pose.h"

namespace zv {
namespace {

// One row of a x b: the row of a weighting the rows of b.
[[gnu::always_inline]] inline void composeRow(const float (&left)[4], const Mat4& b, float (&out)[4]) {
  for (int j = 0; j < 4; ++j) {
    out[j] = left[0] * b.m[0][j] + left[1] * b.m[1][j] + left[2] * b.m[2][j] + left[3] * b.m[3][j];
  }
}

[[gnu::always_inline]] inline Mat4 composedInline(const Mat4& a, const Mat4& b) {
  Mat4 r;
  composeRow(a.m[0], b, r.m[0]);
  composeRow(a.m[1], b, r.m[1]);
  composeRow(a.m[2], b, r.m[2]);
  composeRow(a.m[3], b, r.m[3]);
  return r;
}

}  // namespace

Mat4 composed(const Mat4& a, const Mat4& b) {
  return composedInline(a, b);
}

// Inlined products, so that the compiler sees the translations' constant ones and zeros: it drops
// the multiplications by one (exact), and keeps every addition and every product with zero, whose
// signs and NaNs the result depends on.
Mat4 localTransform(const Bone& bone, const Mat4& rotation) {
  return composedInline(composedInline(composedInline(translation(Vec3{} - bone.head), rotation),
                                       translation(bone.keyTranslation)),
                        translation(bone.head));
}

void poseSkeleton(Model& model) {
  std::vector<Bone>& bones = model.bones;
  for (Bone& bone : bones) {
    if (bone.type == kBoneTypeIkReset) {
      bone.ikRotation = Quat{};
    }
    Mat4 rotation = toMatrix(bone.keyRotation);
    if (bone.type == kBoneTypeLinked) {
      rotation = composed(rotation, toMatrix(bones[bone.linkedBone].keyRotation));
    }
    bone.globalRotation = rotation;
    bone.globalTransform = localTransform(bone, rotation);
  }
  for (Bone& bone : bones) {
    if (bone.parent >= 0) {
      const Bone& parent = bones[bone.parent];
      bone.globalTransform = composed(bone.globalTransform, parent.globalTransform);
      bone.globalRotation = composed(bone.globalRotation, parent.globalRotation);
      bone.parentRotation = parent.globalRotation;
    }
    // Outside IK the working transforms mirror the pose; a root that IK never touches keeps them too.
    bone.ikTransform = bone.globalTransform;
    bone.ikRotationMatrix = bone.globalRotation;
  }
}

}  // namespace zv
