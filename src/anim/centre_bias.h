// Shifting a model's motion in place: the selected keys of its root bones move by an offset,
// while the keys of other bones, which follow their parents, stay.
#pragma once

#include "scene/document/scene.h"

namespace zv {

// Records a key-edit step of the selected bone keys at the current frame, adds `offset` to the
// translation of every selected key on a track of a bone without a parent, and samples the model
// again at the current frame.
void applyCentreBias(Scene& scene, Model& model, Vec3 offset);

}  // namespace zv
