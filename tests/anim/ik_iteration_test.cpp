#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "anim/inverse_kinematics.h"
#include "anim/skeleton_pose.h"
#include "port/text.h"

namespace zv {
namespace {

Bone makeBone(const std::string& utf8Name, std::int16_t parent, Vec3 head) {
  Bone bone;
  bone.name = port::utf8ToCp932(utf8Name);
  bone.parent = parent;
  bone.head = head;
  bone.type = kBoneTypeIkReset;
  return bone;
}

// An upper joint at the origin and a lower joint one unit below it, sitting exactly on the
// effector: the lower joint never has a direction to turn by, the upper one does.
Model chainWithStuckLowerJoint(int iterations) {
  Model model;
  model.bones = {makeBone("センター", -1, {0, 0, 0}), makeBone("上", 0, {0, 0, 0}),
                 makeBone("下", 1, {0, -1, 0}), makeBone("先", 2, {0, -1, 0}), makeBone("IK", 0, {1, 0, 0})};
  IkChain chain;
  chain.ikBone = 4;
  chain.effector = 3;
  chain.chainBones = {2, 1};
  chain.iterations = static_cast<std::uint16_t>(iterations);
  chain.angleWeight = 0.1f;
  model.ikChains = {chain};
  return model;
}

Vec3 solvedEffector(Model& model) {
  poseSkeleton(model);
  solveInverseKinematics(model);
  return transformPoint(model.bones[3].head, model.bones[3].globalTransform);
}

// A joint that cannot turn must not end the solve: the joints above it keep turning on every
// iteration (each step is limited to 0.8 radians here, a quarter turn needs two).
TEST(InverseKinematicsIterations, JointsWithoutDirectionDoNotStopTheOthers) {
  Model once = chainWithStuckLowerJoint(1);
  Vec3 afterOne = solvedEffector(once);
  EXPECT_NEAR(afterOne.x, std::sin(0.8f), 1e-5f);
  EXPECT_NEAR(afterOne.y, -std::cos(0.8f), 1e-5f);

  Model twice = chainWithStuckLowerJoint(2);
  Vec3 afterTwo = solvedEffector(twice);
  EXPECT_NEAR(afterTwo.x, 1.0f, 1e-5f);
  EXPECT_NEAR(afterTwo.y, 0.0f, 1e-5f);
}

// Once the chain rests on its goal, further iterations change no bit of the pose.
TEST(InverseKinematicsIterations, ExtraIterationsOnAReachedGoalChangeNothing) {
  Model few = chainWithStuckLowerJoint(2);
  Model many = chainWithStuckLowerJoint(200);
  solvedEffector(few);
  solvedEffector(many);
  for (std::size_t b = 0; b < few.bones.size(); ++b) {
    EXPECT_EQ(std::memcmp(&few.bones[b].globalTransform, &many.bones[b].globalTransform, sizeof(Mat4)), 0);
    EXPECT_EQ(std::memcmp(&few.bones[b].ikRotation, &many.bones[b].ikRotation, sizeof(Quat)), 0);
  }
}

}  // namespace
}  // namespace zv
