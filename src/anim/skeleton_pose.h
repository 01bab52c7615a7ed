// Turning the bones' key translations and rotations into model-space transforms.
#pragma once

#include "scene/model.h"

namespace zv {

// The rest-relative local transform of a bone: rotate about the head, then move by the key
// translation, T(-head) x rotation x T(translation) x T(head).
Mat4 localTransform(const Bone& bone, const Mat4& rotation);

// Forward and hierarchy passes: every bone's global transform and rotation from its key values and
// its parent's. Bones compose in index order, so a parent listed after its child has not been
// composed yet when the child reads it. Type-4 bones have their IK rotation reset to identity.
void poseSkeleton(Model& model);

}  // namespace zv
