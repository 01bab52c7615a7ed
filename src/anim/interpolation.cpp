#include "anim/interpolation.h"

#include <cmath>

#include "anim/curve.h"

namespace zv {

namespace {

// Past this angle between the quaternions the arc through -qb is the shorter one.
constexpr float kQuarterTurn = kSixDigitPi<float> / 2;
// Keys this close before a cut's later key already show it.
constexpr float kCutTolerance = 0.000001f;

float lerp(float from, float to, float t) {
  return from + (to - from) * t;
}

Vec3 lerp(Vec3 from, Vec3 to, float t) {
  return {lerp(from.x, to.x, t), lerp(from.y, to.y, t), lerp(from.z, to.z, t)};
}

float dot(Quat a, Quat b) {
  return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

// qa x wa + qb x wb, each term formed as component x sine / sine.
Quat blend(Quat qa, float sineA, Quat qb, float sineB, float sineAngle) {
  return {qa.x * sineA / sineAngle + qb.x * sineB / sineAngle,
          qa.y * sineA / sineAngle + qb.y * sineB / sineAngle,
          qa.z * sineA / sineAngle + qb.z * sineB / sineAngle,
          qa.w * sineA / sineAngle + qb.w * sineB / sineAngle};
}

}  // namespace

Quat slerp(Quat qa, Quat qb, float w) {
  float d = dot(qa, qb);
  if (1.0f - d * d <= 0.0f) {
    return qa;
  }
  float angle = std::acos(d);
  if (d < 0.0f && angle > kQuarterTurn) {
    float shortAngle = std::acos(-d);
    Quat negatedB{-qb.x, -qb.y, -qb.z, -qb.w};
    return blend(qa, std::sin((1.0f - w) * shortAngle), negatedB, std::sin(w * shortAngle),
                 std::sin(shortAngle));
  }
  return blend(qa, std::sin((1.0f - w) * angle), qb, std::sin(w * angle), std::sin(angle));
}

float segmentPosition(std::uint32_t fromFrame, std::uint32_t toFrame, float f) {
  float from = static_cast<float>(fromFrame);
  return (f - from) / (static_cast<float>(toFrame) - from);
}

Vec3 interpolateBoneTranslation(const BoneKey& prev, const BoneKey& key, float u) {
  return {lerp(prev.translation.x, key.translation.x, evaluateCurve(key.curves.curve(kBoneMoveX), u)),
          lerp(prev.translation.y, key.translation.y, evaluateCurve(key.curves.curve(kBoneMoveY), u)),
          lerp(prev.translation.z, key.translation.z, evaluateCurve(key.curves.curve(kBoneMoveZ), u))};
}

Quat interpolateBoneRotation(const BoneKey& prev, const BoneKey& key, float u) {
  return slerp(prev.rotation, key.rotation, evaluateCurve(key.curves.curve(kBoneRotation), u));
}

float interpolateMorphWeight(const MorphKey& prev, const MorphKey& key, float u) {
  return lerp(prev.weight, key.weight, u);
}

LiveCamera cameraAtKey(const CameraKey& key) {
  return {key.centre, key.rotation, key.distance, static_cast<float>(key.viewAngle), key.orthographic};
}

LiveCamera interpolateCamera(const CameraKey& prev, const CameraKey& key, float f) {
  if (key.frame == prev.frame + 1) {
    return f + kCutTolerance < static_cast<float>(key.frame) ? cameraAtKey(prev) : cameraAtKey(key);
  }
  float u = segmentPosition(prev.frame, key.frame, f);
  auto eased = [&](int channel) { return evaluateCurve(key.curves.curve(channel), u); };
  float angleT = eased(kCameraRotation);
  LiveCamera camera;
  camera.cameraCentre = {lerp(prev.centre.x, key.centre.x, eased(kCameraMoveX)),
                         lerp(prev.centre.y, key.centre.y, eased(kCameraMoveY)),
                         lerp(prev.centre.z, key.centre.z, eased(kCameraMoveZ))};
  camera.cameraAngles = lerp(prev.rotation, key.rotation, angleT);
  camera.cameraDistance = lerp(prev.distance, key.distance, eased(kCameraDistance));
  camera.fieldOfView =
      lerp(static_cast<float>(prev.viewAngle), static_cast<float>(key.viewAngle), eased(kCameraViewAngle));
  camera.orthographic = prev.orthographic;
  return camera;
}

LiveLight lightAtKey(const LightKey& key) {
  return {key.direction, key.colour};
}

LiveLight interpolateLight(const LightKey& prev, const LightKey& key, float u) {
  return {lerp(prev.direction, key.direction, u), lerp(prev.colour, key.colour, u)};
}

void applyAccessoryKey(AccessoryState& accessory, const AccessoryKey& key) {
  accessory.visible = key.visible;
  accessory.parentModel = key.parentModel;
  accessory.parentBone = key.parentBone;
  accessory.position = key.position;
  accessory.rotation = key.rotation;
  accessory.scale = key.scale;
}

}  // namespace zv
