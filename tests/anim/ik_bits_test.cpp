// The solver composes a chain's global rotations once at the end when nothing reads them between
// turns. It must leave every bone exactly as the plain solver below does, which composes
// transform and rotation of every joint below the one that turned after each turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "anim/inverse_kinematics.h"
#include "anim/skeleton_pose.h"
#include "scene/document/model_reader.h"

namespace zv {
namespace {

const Mat4 kIdentity{};

void plainRecompose(Model& model, Bone& bone) {
  bone.globalTransform =
      composed(bone.ikTransform, bone.parent >= 0 ? model.bones[bone.parent].globalTransform : kIdentity);
  bone.globalRotation =
      composed(bone.ikRotationMatrix, bone.parent >= 0 ? model.bones[bone.parent].globalRotation : kIdentity);
}

// Returns false when the chain already points at the goal.
bool plainTurn(Model& model, const IkChain& chain, std::size_t link, int iteration, Vec3 goal, bool& turned) {
  Bone& joint = model.bones[chain.chainBones[link]];
  Bone& effector = model.bones[chain.effector];
  Vec3 jointPosition = transformPoint(joint.head, joint.globalTransform);
  Vec3 toEffector = jointPosition - transformPoint(effector.head, effector.globalTransform);
  Vec3 toGoal = jointPosition - goal;
  if (length(toEffector) < 1e-6f || length(toGoal) < 1e-6f) {
    return true;
  }
  Vec3 d1 = normalised(toEffector);
  Vec3 d2 = normalised(toGoal);
  if (dot(d1 - d2, d1 - d2) < 1e-7f) {
    return false;
  }
  const Vec3 c = cross(d1, d2);
  const auto& m = joint.parentRotation.m;
  Vec3 axis{c.x * m[0][0] + c.y * m[0][1] + c.z * m[0][2], c.x * m[1][0] + c.y * m[1][1] + c.z * m[1][2],
            c.x * m[2][0] + c.y * m[2][1] + c.z * m[2][2]};
  bool knee = isKneeName(joint.name);
  if (knee) {
    axis = {axis.x >= 0.0f ? 1.0f : -1.0f, 0.0f, 0.0f};
  } else if (length(axis) < 1e-6f) {
    return true;
  } else {
    axis = normalised(axis);
  }
  float halfAngle = std::acos(std::clamp(dot(d2, d1), -1.0f, 1.0f)) * 0.5f;
  halfAngle = std::min(halfAngle, 2.0f * chain.angleWeight * static_cast<float>(link + 1));
  float sine = std::sin(halfAngle);
  joint.ikRotation =
      Quat{axis.x * sine, axis.y * sine, axis.z * sine, std::cos(halfAngle)} * joint.ikRotation;
  if (iteration == 0) {
    joint.ikRotation = joint.ikRotation * joint.keyRotation;
  }
  Mat4 rotation = toMatrix(joint.ikRotation);
  if (knee && std::atan2(rotation.m[2][1], rotation.m[2][2]) < 0.0f) {
    rotation.m[1][2] = -rotation.m[1][2];
    rotation.m[2][1] = -rotation.m[2][1];
    joint.ikRotation.x = -joint.ikRotation.x;
  }
  joint.ikRotationMatrix = rotation;
  joint.ikTransform = localTransform(joint, rotation);
  for (std::size_t k = link + 1; k-- > 0;) {
    plainRecompose(model, model.bones[chain.chainBones[k]]);
  }
  plainRecompose(model, effector);
  effector.parentRotation = effector.parent >= 0 ? model.bones[effector.parent].globalRotation : kIdentity;
  turned = true;
  return true;
}

void plainSolve(Model& model) {
  for (const IkChain& chain : model.ikChains) {
    if (!chain.enabled) {
      continue;
    }
    Vec3 goal = transformPoint(model.bones[chain.ikBone].head, model.bones[chain.ikBone].globalTransform);
    Bone& effector = model.bones[chain.effector];
    effector.ikRotationMatrix = toMatrix(effector.keyRotation);
    effector.ikTransform = localTransform(effector, effector.ikRotationMatrix);
    for (int iteration = 0; iteration < chain.iterations; ++iteration) {
      bool turned = false;
      for (std::size_t link = 0; link < chain.chainBones.size(); ++link) {
        if (!plainTurn(model, chain, link, iteration, goal, turned)) {
          break;
        }
      }
      if (!turned) {
        break;
      }
    }
  }
}

template <typename T>
bool sameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

void expectSameBones(const Model& actual, const Model& expected) {
  for (std::size_t b = 0; b < actual.bones.size(); ++b) {
    const Bone& x = actual.bones[b];
    const Bone& y = expected.bones[b];
    EXPECT_TRUE(sameBits(x.globalTransform, y.globalTransform) &&
                sameBits(x.globalRotation, y.globalRotation) &&
                sameBits(x.parentRotation, y.parentRotation) && sameBits(x.ikRotation, y.ikRotation) &&
                sameBits(x.ikRotationMatrix, y.ikRotationMatrix) && sameBits(x.ikTransform, y.ikTransform))
        << "bone " << b;
  }
}

class RandomSkeletons {
 public:
  float uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(engine_); }
  int below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }

  Quat rotation() {
    Quat q{uniform(-1, 1), uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)};
    float norm = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    return {q.x / norm, q.y / norm, q.z / norm, q.w / norm};
  }

  void pose(Model& model) {
    for (Bone& bone : model.bones) {
      bone.keyRotation = below(3) == 0 ? Quat{} : rotation();
      bone.keyTranslation = below(3) == 0 ? Vec3{uniform(-2, 2), uniform(-2, 2), uniform(-2, 2)} : Vec3{};
    }
  }

  // Legs as the demo character has them, chains that are not a simple path (gaps, repeats, the
  // effector among its joints or above them, a top joint under the effector) and knees.
  Model model() {
    Model model;
    const int count = 12;
    for (int b = 0; b < count; ++b) {
      Bone bone;
      bone.parent = static_cast<std::int16_t>(b == 0 ? -1 : below(4) == 0 ? below(count + 1) - 1 : b - 1);
      bone.head = {uniform(-5, 5), uniform(-5, 5), uniform(-5, 5)};
      bone.type = below(3) == 0 ? kBoneTypeIkReset : 0;
      bone.name = below(3) == 0 ? "\x8D\xB6\x82\xD0\x82\xB4" : "bone";
      model.bones.push_back(bone);
    }
    for (int c = 0; c < 3; ++c) {
      IkChain chain;
      chain.ikBone = static_cast<std::uint16_t>(below(count));
      chain.effector = static_cast<std::uint16_t>(below(count));
      chain.iterations = static_cast<std::uint16_t>(1 + below(40));
      chain.angleWeight = uniform(0.01f, 1.0f);
      int links = below(5);
      std::uint16_t next = chain.effector;
      for (int k = 0; k < links; ++k) {
        const std::int16_t parent = model.bones[next].parent;
        next = static_cast<std::uint16_t>(below(4) == 0 || parent < 0 ? below(count) : parent);
        chain.chainBones.push_back(next);
      }
      model.ikChains.push_back(chain);
    }
    return model;
  }

 private:
  std::mt19937 engine_{20261208};
};

// Frame after frame, so the joints' IK rotations carried between frames are compared too.
void expectFramesMatch(Model& model, RandomSkeletons& random, int frames) {
  Model plain;  // models hold key pools and cannot be copied; the solver reads bones and chains
  plain.bones = model.bones;
  plain.ikChains = model.ikChains;
  for (int frame = 0; frame < frames; ++frame) {
    SCOPED_TRACE(frame);
    random.pose(model);
    for (std::size_t b = 0; b < model.bones.size(); ++b) {
      plain.bones[b].keyRotation = model.bones[b].keyRotation;
      plain.bones[b].keyTranslation = model.bones[b].keyTranslation;
    }
    poseSkeleton(model);
    solveInverseKinematics(model);
    poseSkeleton(plain);
    plainSolve(plain);
    expectSameBones(model, plain);
    if (testing::Test::HasFailure()) {
      return;
    }
  }
}

TEST(InverseKinematicsBits, DemoCharacterMatchesThePlainSolver) {
  Model model;
  std::filesystem::path path = "UserFile/Model/tessera.tsm";
  ASSERT_EQ(readModelFile(path, std::filesystem::current_path(), model), std::nullopt);
  ASSERT_EQ(model.ikChains.size(), 2u);
  RandomSkeletons random;
  expectFramesMatch(model, random, 40);
}

TEST(InverseKinematicsBits, OddChainsMatchThePlainSolver) {
  RandomSkeletons random;
  for (int m = 0; m < 300; ++m) {
    SCOPED_TRACE(m);
    Model model = random.model();
    expectFramesMatch(model, random, 3);
    if (HasFailure()) {
      return;
    }
  }
}

}  // namespace
}  // namespace zv
