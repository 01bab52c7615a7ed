#include "anim/pose_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "anim/inverse_kinematics.h"
#include "anim/skeleton_pose.h"
#include "anim/skinning.h"
#include "port/text.h"

namespace zv {
namespace {

Bone makeBone(const std::string& utf8Name, std::int16_t parent, Vec3 head, std::uint8_t type = 0) {
  Bone bone;
  bone.name = port::utf8ToCp932(utf8Name);
  bone.parent = parent;
  bone.head = head;
  bone.type = type;
  return bone;
}

// Root, a type-4 joint at the origin, its effector one unit below, and an IK bone at the goal.
Model ikRig(Vec3 goal, float weight, int iterations, const std::string& jointName = "関節") {
  Model model;
  model.bones = {makeBone("センター", -1, {0, 0, 0}), makeBone(jointName, 0, {0, 0, 0}, kBoneTypeIkReset),
                 makeBone("先", 1, {0, -1, 0}), makeBone("IK", 0, goal)};
  IkChain chain;
  chain.ikBone = 3;
  chain.effector = 2;
  chain.chainBones = {1};
  chain.iterations = static_cast<std::uint16_t>(iterations);
  chain.angleWeight = weight;
  model.ikChains = {chain};
  return model;
}

void expectQuat(Quat actual, Quat expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-6f);
  EXPECT_NEAR(actual.y, expected.y, 1e-6f);
  EXPECT_NEAR(actual.z, expected.z, 1e-6f);
  EXPECT_NEAR(actual.w, expected.w, 1e-6f);
}

void expectVec(Vec3 actual, Vec3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-6f);
  EXPECT_NEAR(actual.y, expected.y, 1e-6f);
  EXPECT_NEAR(actual.z, expected.z, 1e-6f);
}

Vec3 effectorPosition(const Model& model) {
  const Bone& effector = model.bones[2];
  return transformPoint(effector.head, effector.globalTransform);
}

void solve(Model& model) {
  poseSkeleton(model);
  solveInverseKinematics(model);
}

TEST(InverseKinematics, OneLinkReachesTheGoalWithinItsAngleLimit) {
  Model full = ikRig({1, 0, 0}, 1.0f, 1);
  solve(full);
  expectQuat(full.bones[1].ikRotation, {0, 0, 0.7071068f, 0.7071068f});
  expectVec(effectorPosition(full), {1, 0, 0});

  Model limited = ikRig({1, 0, 0}, 0.1f, 1);
  solve(limited);
  expectQuat(limited.bones[1].ikRotation, {0, 0, 0.1986693f, 0.9800666f});
  expectVec(effectorPosition(limited), {0.3894183f, -0.9210610f, 0});

  Model twice = ikRig({1, 0, 0}, 0.1f, 2);
  solve(twice);
  expectQuat(twice.bones[1].ikRotation, {0, 0, 0.3894183f, 0.9210610f});
  expectVec(effectorPosition(twice), {0.7173561f, -0.6967067f, 0});
}

TEST(InverseKinematics, KneesBendOneWayAboutX) {
  for (Vec3 goal : {Vec3{0, 0, 1}, Vec3{0, 0, -1}}) {
    Model model = ikRig(goal, 1.0f, 1, "左ひざ");
    solve(model);
    expectQuat(model.bones[1].ikRotation, {-0.7071068f, 0, 0, 0.7071068f});
  }
  EXPECT_TRUE(isKneeName(port::utf8ToCp932("右ひざＤ")));
  EXPECT_FALSE(isKneeName(port::utf8ToCp932("左ひ")));
  EXPECT_FALSE(isKneeName(port::utf8ToCp932("ひざ")));
}

TEST(InverseKinematics, GoalsAlongTheBoneLeaveTheJointFiniteAndStill) {
  for (Vec3 goal : {Vec3{0, -2, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 0}}) {
    Model model = ikRig(goal, 1.0f, 3);
    solve(model);
    Quat q = model.bones[1].ikRotation;
    EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w));
    expectQuat(q, Quat{});
    expectVec(effectorPosition(model), {0, -1, 0});
  }
}

TEST(InverseKinematics, DisabledChainsKeepTheKeyedPose) {
  Model model = ikRig({1, 0, 0}, 1.0f, 1);
  model.ikChains[0].enabled = false;
  solve(model);
  expectQuat(model.bones[1].ikRotation, Quat{});
  expectVec(effectorPosition(model), {0, -1, 0});
}

TEST(SkeletonPose, ChildrenFollowParentsAndLinkedBonesAddRotations) {
  Model model;
  float s = std::sin(0.25f), c = std::cos(0.25f);
  model.bones = {makeBone("親", -1, {0, 0, 0}), makeBone("子", 0, {0, 1, 0}),
                 makeBone("連動", -1, {0, 0, 0}, kBoneTypeLinked)};
  model.bones[0].keyTranslation = {0, 0, 2};
  model.bones[0].keyRotation = {0, s, 0, c};
  model.bones[2].linkedBone = 0;
  model.bones[2].keyRotation = {0, s, 0, c};
  poseSkeleton(model);
  // The child's head rides the parent's translation; the linked bone turns twice as far.
  expectVec(transformPoint(model.bones[1].head, model.bones[1].globalTransform), {0, 1, 2});
  Mat4 expected = rotationY(1.0f);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(model.bones[2].globalRotation.m[i][j], expected.m[i][j], 1e-6f);
    }
  }
  EXPECT_EQ(model.bones[1].parentRotation, model.bones[0].globalRotation);
}

Model skinnedModel() {
  Model model;
  model.bones = {makeBone("センター", -1, {0, 0, 0}), makeBone("上", -1, {0, 10, 0})};
  model.bones[1].keyTranslation = {0, 2, 0};
  for (std::uint8_t weight : {100, 50, 0}) {
    SourceVertex v;
    v.position = {1, 0, 0};
    v.normal = {0, 0, -1};
    v.firstBone = 0;
    v.secondBone = 1;
    v.firstBoneWeight = weight;
    model.sourceVertices.push_back(v);
  }
  model.sourceVertices[2].noEdge = true;
  model.modelVertices.resize(3);
  model.edgeVertices.resize(3);
  return model;
}

TEST(Skinning, BlendsTwoBonesByWeightAndOffsetsOutlines) {
  Model model = skinnedModel();
  poseModel(model, Mat4{}, {0, 0, -35});
  expectVec(model.modelVertices[0].position, {1, 0, 0});
  expectVec(model.modelVertices[1].position, {1, 1, 0});
  expectVec(model.modelVertices[2].position, {1, 2, 0});
  float offset = outlineOffset(model, Mat4{}, {0, 0, -35});
  // Bone 1 rests at (0, 10, 0) and is moved up 2: distance to the eye is |(0, 12, 35)|.
  EXPECT_NEAR(offset, std::sqrt(144.0f + 1225.0f) * 0.00072f + 0.0096f, 1e-7f);
  expectVec(model.edgeVertices[0].position, {1, 0, -offset});
  // No outline: tucked inside along the normal.
  expectVec(model.edgeVertices[2].position, {1, 2, 0.005f});
}

TEST(Skinning, OutlineOffsetGrowsWithTheEyeDistance) {
  Model model;
  model.bones = {makeBone("センター", -1, {0, 0, 0}), makeBone("上", 0, {0, 10, 0})};
  poseSkeleton(model);
  EXPECT_NEAR(outlineOffset(model, Mat4{}, {0, 0, -35}), 0.0358084f, 1e-7f);
  // A single-bone model measures from its only bone.
  model.bones.resize(1);
  EXPECT_NEAR(outlineOffset(model, Mat4{}, {0, 0, -35}), 0.0348f, 1e-7f);  // 0.0252 + 0.0096
}

TEST(Morphs, WeightedOffsetsAddUpAndNegativeWeightsAreSkipped) {
  Model model;
  model.sourceVertices.resize(2);
  Morph base;
  base.vertices = {{1, {1, 1, 1}}};
  model.baseMorphRest = {{1, 1, 1}};
  Morph a, b, negative;
  a.vertices = {{0, {1, 0, 0}}};
  a.weight = 0.5f;
  b.vertices = {{0, {0, 2, 0}}};
  b.weight = 0.25f;
  negative.vertices = {{0, {0, 0, 9}}};
  negative.weight = -1.0f;
  model.morphs = {base, a, b, negative};
  applyMorphs(model);
  expectVec(model.sourceVertices[1].position, {1.5f, 1.5f, 1});
  expectVec(model.sourceVertices[0].position, {0, 0, 0});
  // Applying again starts from the rest positions, not from last frame's result.
  applyMorphs(model);
  expectVec(model.sourceVertices[1].position, {1.5f, 1.5f, 1});
}

}  // namespace
}  // namespace zv
