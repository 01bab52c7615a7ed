// Posing a model for one frame: skeleton, inverse kinematics, morphs, skinning.
#pragma once

#include "scene/document/model.h"

namespace zv {

// `world` is the scene's world transform and `eye` the eye position (view offset x and y, camera
// distance); both only set how far the outlines stand off the surface.
void poseModel(Model& model, const Mat4& world, Vec3 eye);

}  // namespace zv
