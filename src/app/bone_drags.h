// Posing the current model's selected bones with the mouse: turning about an axis, carrying the
// other selected root-like bones along, and moving bones along a world direction.
#pragma once

#include "scene/document/model.h"

namespace zv {

// The turn of `halfAngle` about the unit `axis` (a quaternion turns by twice its half angle).
Quat turnAbout(Vec3 axis, float halfAngle);

// `worldAxis` in the bone's own frame (its global rotation's rows).
Vec3 intoBoneFrame(const Bone& bone, Vec3 worldAxis);

// Turns the selected bone by `turn`; the other selected bones of type 1 or 2 whose parent is not
// selected turn with it about its head, so a selected group keeps its shape. Nothing without a
// selected bone.
void turnSelectedBones(Model& model, Quat turn);

// Adds the world vector `offset` (taken into each bone's frame) to every selected bone of type 1
// or 2 whose parent is not selected. Nothing without a selected bone.
void moveSelectedBones(Model& model, Vec3 offset);

}  // namespace zv
