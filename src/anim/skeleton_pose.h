// Turning the bones' key translations and rotations into model-space transforms.
#pragma once

#include "scene/document/model.h"

namespace zv {

// a x b with exactly the sums of the matrix product (same terms, same order, same bits), written a
// whole row at a time so that it vectorises: posing and IK compose hundreds of these per frame.
Mat4 composed(const Mat4& a, const Mat4& b);

// The rest-relative local transform of a bone: rotate about the head, then move by the key
// translation, T(-head) x rotation x T(translation) x T(head).
Mat4 localTransform(const Bone& bone, const Mat4& rotation);

// Forward and hierarchy passes: every bone's global transform and rotation from its key values and
// its parent's. Bones compose in index order, so a parent listed after its child has not been
// composed yet when the child reads it. Type-4 bones have their IK rotation reset to identity.
void poseSkeleton(Model& model);

}  // namespace zv
