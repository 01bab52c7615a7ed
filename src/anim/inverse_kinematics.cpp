#include "anim/inverse_kinematics.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "anim/skeleton_pose.h"

namespace zv {
namespace {

// "左ひざ" and "右ひざ" in Shift-JIS.
constexpr std::string_view kLeftKnee = "\x8D\xB6\x82\xD0\x82\xB4";
constexpr std::string_view kRightKnee = "\x89\x45\x82\xD0\x82\xB4";

// Below this a direction or axis has no usable direction: normalising it would give NaN, which
// would then stay in the IK rotation of bones that keep it between frames.
constexpr float kDegenerateLength = 1e-6f;

const Mat4 kIdentity{};

const Mat4& parentTransform(const Model& model, const Bone& bone) {
  return bone.parent >= 0 ? model.bones[bone.parent].globalTransform : kIdentity;
}

const Mat4& parentRotation(const Model& model, const Bone& bone) {
  return bone.parent >= 0 ? model.bones[bone.parent].globalRotation : kIdentity;
}

Vec3 headPosition(const Bone& bone) {
  return transformPoint(bone.head, bone.globalTransform);
}

// The axis brought into the joint's parent frame (the transposed parent rotation).
Vec3 intoParentFrame(Vec3 axis, const Mat4& rotation) {
  const auto& m = rotation.m;
  return {axis.x * m[0][0] + axis.y * m[0][1] + axis.z * m[0][2],
          axis.x * m[1][0] + axis.y * m[1][1] + axis.z * m[1][2],
          axis.x * m[2][0] + axis.y * m[2][1] + axis.z * m[2][2]};
}

void recomposeTransform(Model& model, Bone& bone) {
  bone.globalTransform = composed(bone.ikTransform, parentTransform(model, bone));
}

void recomposeRotation(Model& model, Bone& bone) {
  bone.globalRotation = composed(bone.ikRotationMatrix, parentRotation(model, bone));
}

// The chain's global rotations feed nothing while it turns (a joint's axis uses its parent's
// rotation from before the solve, the head positions use transforms only) when each joint's
// parent is the next joint up, the top joint's parent is neither a joint nor the effector, and the
// effector is no joint and not its own parent. Then they can be composed once when the chain is
// solved, from the same inputs as the last turn would have composed them: the same bits.
bool rotationsCanWait(const Model& model, const IkChain& chain) {
  const std::vector<std::uint16_t>& links = chain.chainBones;
  if (links.empty() || model.bones[chain.effector].parent == chain.effector) {
    return false;
  }
  for (std::size_t k = 0; k < links.size(); ++k) {
    if (links[k] == chain.effector ||
        (k + 1 < links.size() && model.bones[links[k]].parent != links[k + 1])) {
      return false;
    }
  }
  const std::int16_t top = model.bones[links.back()].parent;
  return top != chain.effector && std::find(links.begin(), links.end(), top) == links.end();
}

// Composes the rotations of joints `highest` down to 0, then the effector's, as every turn at
// joint `highest` does.
void recomposeRotations(Model& model, const IkChain& chain, std::size_t highest) {
  Bone& effector = model.bones[chain.effector];
  for (std::size_t k = highest + 1; k-- > 0;) {
    recomposeRotation(model, model.bones[chain.chainBones[k]]);
  }
  recomposeRotation(model, effector);
  effector.parentRotation = parentRotation(model, effector);
}

// What one step at a joint did.
enum class LinkStep {
  turned,   // the joint turned toward the goal
  skipped,  // no usable direction; nothing changed, the next joint goes on
  aligned,  // the chain already points at the goal; nothing changed, the iteration ends
};

// Turns joint `link` of the chain one step toward the goal. With `rotationsWait` the global
// rotations are left for recomposeRotations.
LinkStep turnLink(Model& model, const IkChain& chain, std::size_t link, int iteration, Vec3 goal,
                  bool rotationsWait) {
  Bone& joint = model.bones[chain.chainBones[link]];
  Bone& effector = model.bones[chain.effector];
  Vec3 jointPosition = headPosition(joint);
  Vec3 toEffector = jointPosition - headPosition(effector);
  Vec3 toGoal = jointPosition - goal;
  if (length(toEffector) < kDegenerateLength || length(toGoal) < kDegenerateLength) {
    return LinkStep::skipped;
  }
  Vec3 d1 = normalised(toEffector);
  Vec3 d2 = normalised(toGoal);
  Vec3 difference = d1 - d2;
  if (dot(difference, difference) < 1e-7f) {
    return LinkStep::aligned;
  }
  Vec3 axis = intoParentFrame(cross(d1, d2), joint.parentRotation);
  bool knee = isKneeName(joint.name);
  if (knee) {
    axis = {axis.x >= 0.0f ? 1.0f : -1.0f, 0.0f, 0.0f};
  } else if (length(axis) < kDegenerateLength) {
    return LinkStep::skipped;
  } else {
    axis = normalised(axis);
  }
  float halfAngle = std::acos(std::clamp(dot(d2, d1), -1.0f, 1.0f)) * 0.5f;
  float limit = 2.0f * chain.angleWeight * static_cast<float>(link + 1);
  halfAngle = std::min(halfAngle, limit);
  float sine = std::sin(halfAngle);
  Quat step{axis.x * sine, axis.y * sine, axis.z * sine, std::cos(halfAngle)};
  joint.ikRotation = step * joint.ikRotation;
  if (iteration == 0) {
    joint.ikRotation = joint.ikRotation * joint.keyRotation;  // start from the keyed pose
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
    recomposeTransform(model, model.bones[chain.chainBones[k]]);
  }
  recomposeTransform(model, effector);
  if (!rotationsWait) {
    recomposeRotations(model, chain, link);
  }
  return LinkStep::turned;
}

}  // namespace

bool isKneeName(std::string_view cp932Name) {
  return cp932Name.starts_with(kLeftKnee) || cp932Name.starts_with(kRightKnee);
}

void solveIkChain(Model& model, const IkChain& chain) {
  Vec3 goal = headPosition(model.bones[chain.ikBone]);
  Bone& effector = model.bones[chain.effector];
  effector.ikRotationMatrix = toMatrix(effector.keyRotation);
  effector.ikTransform = localTransform(effector, effector.ikRotationMatrix);
  const bool rotationsWait = rotationsCanWait(model, chain);
  std::optional<std::size_t> highestTurned;
  for (int iteration = 0; iteration < chain.iterations; ++iteration) {
    bool turnedAny = false;
    for (std::size_t link = 0; link < chain.chainBones.size(); ++link) {
      LinkStep step = turnLink(model, chain, link, iteration, goal, rotationsWait);
      if (step == LinkStep::aligned) {
        break;
      }
      if (step == LinkStep::turned) {
        turnedAny = true;
        highestTurned = std::max(highestTurned.value_or(0), link);
      }
    }
    // An iteration that turned nothing left every input as it found it, so each later one would
    // repeat it exactly: a chain at rest on its goal costs one check, not one per iteration.
    if (!turnedAny) {
      break;
    }
  }
  if (rotationsWait && highestTurned) {
    recomposeRotations(model, chain, *highestTurned);
  }
}

void solveInverseKinematics(Model& model) {
  for (const IkChain& chain : model.ikChains) {
    if (chain.enabled) {
      solveIkChain(model, chain);
    }
  }
}

}  // namespace zv
