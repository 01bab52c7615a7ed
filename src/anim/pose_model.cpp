#include "anim/pose_model.h"

#include "anim/inverse_kinematics.h"
#include "anim/skeleton_pose.h"
#include "anim/skinning.h"

namespace zv {

void poseModel(Model& model, const Mat4& world, Vec3 eye) {
  poseSkeleton(model);
  solveInverseKinematics(model);
  applyMorphs(model);
  skinVertices(model, outlineOffset(model, world, eye));
}

void poseModels(std::span<Model* const> models, const Mat4& world, Vec3 eye, port::WorkerPool& pool) {
  pool.run(models.size(), [&](std::size_t i) { poseModel(*models[i], world, eye); });
}

}  // namespace zv
