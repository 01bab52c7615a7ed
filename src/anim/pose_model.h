// Posing a model for one frame: skeleton, inverse kinematics, morphs, skinning.
#pragma once

#include <span>

#include "port/worker_pool.h"
#include "scene/document/model.h"

namespace zv {

// `world` is the scene's world transform and `eye` the eye position (view offset x and y, camera
// distance); both only set how far the outlines stand off the surface.
void poseModel(Model& model, const Mat4& world, Vec3 eye);

// poseModel for each of `models` (distinct, none null), spread over the pool's threads. A model's
// posing reads and writes that model alone, so the results are those of posing one after another.
void poseModels(std::span<Model* const> models, const Mat4& world, Vec3 eye, port::WorkerPool& pool);

}  // namespace zv
