// The six keyframe records. Every record starts with its frame and the pool indices of its
// neighbours on the same track (see key_pool.h). Default member values are the head values a
// track's frame-0 key gets when its pool is created or reset, and the values a deleted key is
// reset to (with the exceptions deleteSelectedKeys notes).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/document/math.h"

namespace zv {

// Inner control points of a cubic Bezier easing curve from (0, 0) to (127, 127); each 0..127.
struct InterpolationCurve {
  std::uint8_t x1 = 20, y1 = 20, x2 = 107, y2 = 107;  // the default is the straight line
  bool operator==(const InterpolationCurve&) const = default;
};

// The curves of a key's channels, grouped by control value as files and clipboards expect:
// every x1 first, then every y1, every x2, every y2.
template <int ChannelCount>
struct ChannelCurves {
  std::array<std::uint8_t, ChannelCount> x1, y1, x2, y2;

  ChannelCurves() {
    for (int channel = 0; channel < ChannelCount; ++channel) {
      setCurve(channel, InterpolationCurve{});
    }
  }
  bool operator==(const ChannelCurves&) const = default;

  InterpolationCurve curve(int channel) const { return {x1[channel], y1[channel], x2[channel], y2[channel]}; }
  void setCurve(int channel, InterpolationCurve c) {
    x1[channel] = c.x1;
    y1[channel] = c.y1;
    x2[channel] = c.x2;
    y2[channel] = c.y2;
  }
};

// Channels of a bone key's curves.
enum BoneChannel : int { kBoneMoveX = 0, kBoneMoveY, kBoneMoveZ, kBoneRotation, kBoneChannelCount };
// Channels of a camera key's curves.
enum CameraChannel : int {
  kCameraMoveX = 0,
  kCameraMoveY,
  kCameraMoveZ,
  kCameraRotation,
  kCameraDistance,
  kCameraViewAngle,
  kCameraChannelCount
};

struct BoneKey {
  static constexpr std::uint32_t kPoolCapacity = 300'000;  // records per pool
  std::uint32_t frame = 0;                                 // 0 for a head or a free record
  std::uint32_t prev = 0;  // pool index of the previous key; meaningless on a head
  std::uint32_t next = 0;  // pool index of the next key, 0 at the end of the track
  Quat rotation;           // relative to the bone's rest pose
  Vec3 translation;        // offset from the bone's rest position
  ChannelCurves<kBoneChannelCount> curves;
  bool selected = false;  // selected on the timeline
  bool operator==(const BoneKey&) const = default;
};

struct MorphKey {
  static constexpr std::uint32_t kPoolCapacity = 20'000;  // records per pool
  std::uint32_t frame = 0, prev = 0, next = 0;
  float weight = 0;  // 0..1
  bool selected = false;
  bool operator==(const MorphKey&) const = default;
};

struct DisplayIkKey {
  static constexpr std::uint32_t kPoolCapacity = 1'000;  // records per pool
  std::uint32_t frame = 0, prev = 0, next = 0;
  bool visible = true;          // the model is drawn
  std::vector<bool> ikEnabled;  // one flag per IK chain of the model, in chain order
  bool selected = false;
  bool operator==(const DisplayIkKey&) const = default;
};

struct CameraKey {
  static constexpr std::uint32_t kPoolCapacity = 10'000;  // records per pool
  std::uint32_t frame = 0, prev = 0, next = 0;
  Vec3 centre{0, 10, 0};
  Vec3 rotation;                // radians about X, Y, Z
  std::int32_t viewAngle = 45;  // field of view in whole degrees
  bool orthographic = false;
  ChannelCurves<kCameraChannelCount> curves;
  float distance = -35.0f;
  bool selected = false;
  bool operator==(const CameraKey&) const = default;
};

struct LightKey {
  static constexpr std::uint32_t kPoolCapacity = 10'000;  // records per pool
  std::uint32_t frame = 0, prev = 0, next = 0;
  Vec3 direction{-0.5f, -1.0f, 0.5f};
  Vec3 colour{0.602f, 0.602f, 0.602f};  // r, g, b in 0..1
  bool selected = false;
  bool operator==(const LightKey&) const = default;
};

struct AccessoryKey {
  static constexpr std::uint32_t kPoolCapacity = 10'000;  // records per pool
  std::uint32_t frame = 0, prev = 0, next = 0;
  bool visible = true;
  bool shadow = false;
  std::int32_t parentModel = -1;  // model slot followed, -1 for the ground
  std::int32_t parentBone = 0;    // bone index within that model
  bool selected = false;
  Vec3 position;
  Vec3 rotation;  // radians about X, Y, Z
  float scale = 1.0f;
  bool operator==(const AccessoryKey&) const = default;
};

// One IK chain's flag of a display and IK key, named by the chain's IK bone so that it can be
// carried to another model (motion files, the key clipboard).
struct IkFlagByName {
  std::string ikBoneName;  // CP932 name of the chain's IK bone
  bool enabled = true;
  bool operator==(const IkFlagByName&) const = default;
};

}  // namespace zv
