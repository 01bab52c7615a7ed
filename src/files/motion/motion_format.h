// The byte layout of motion files (.vmd): the keys of one model's bones and morphs, or of the
// camera and light, as plain records. Parsing never trusts a count: records are read only as far
// as the bytes go, and where they ran out is reported so the loader can tell the user.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scene/document/math.h"
#include "scene/keys/key_records.h"

namespace zv {

inline constexpr std::size_t kMotionMagicSize = 30;
inline constexpr std::size_t kMotionKeyNameSize = 15;  // bone and morph names
inline constexpr std::size_t kMotionNameSizeV1 = 10;   // model name field of version 1
inline constexpr std::size_t kMotionNameSizeV2 = 20;   // model name field of version 2
inline constexpr std::size_t kMotionBoneRecordSize = 111;
inline constexpr std::size_t kMotionMorphRecordSize = 23;
inline constexpr std::size_t kMotionCameraRecordSizeV1 = 36;
inline constexpr std::size_t kMotionCameraRecordSizeV2 = 61;
inline constexpr std::size_t kMotionLightRecordSize = 28;

// The model name a camera-and-light file carries ("camera and light"), CP932.
std::string_view cameraMotionName();

struct MotionBoneRecord {
  std::string name;  // CP932, at most 15 bytes, cut at the first NUL and the first newline
  std::uint32_t frame = 0;
  Vec3 translation;
  Quat rotation;
  ChannelCurves<kBoneChannelCount> curves;
};

struct MotionMorphRecord {
  std::string name;  // as for bones
  std::uint32_t frame = 0;
  float weight = 0;
};

struct MotionCameraRecord {
  std::uint32_t frame = 0;
  float distance = 0;
  Vec3 centre;
  Vec3 rotation;  // radians about X, Y, Z
  ChannelCurves<kCameraChannelCount> curves;
  std::int32_t viewAngle = 45;  // degrees
  bool orthographic = false;
};

struct MotionLightRecord {
  std::uint32_t frame = 0;
  Vec3 colour;
  Vec3 direction;
};

// Where the bytes of a file ran out. The sections a file may lack at its end (the camera section
// of a model-only file, the light section of an old one) have their own values, so a reader can
// tell an absent section from a cut record.
enum class MotionEnd {
  Complete,       // every count and record was there
  InHeader,       // the name field is cut
  InBones,        // the bone count or a bone record is cut
  InMorphs,       // the morph count or a morph record is cut
  BeforeCameras,  // the file ends right after the morph records
  InCameras,      // the camera count is there but a camera record is cut
  BeforeLights,   // the file ends right after the camera records
  InLights,       // the light count is there but a light record is cut
};

struct MotionFile {
  int version = 2;   // 1 or 2
  std::string name;  // CP932 model name, cut at the first NUL
  std::vector<MotionBoneRecord> bones;
  std::vector<MotionMorphRecord> morphs;
  std::vector<MotionCameraRecord> cameras;
  std::vector<MotionLightRecord> lights;
  MotionEnd end = MotionEnd::Complete;
};

// The records of `bytes`, or false when the magic names neither version.
bool parseMotion(std::string_view bytes, MotionFile& motion);

// The bytes of `motion` as a version-2 file (whatever its version field says). Names longer than
// their field are cut to it.
std::string motionBytes(const MotionFile& motion);

}  // namespace zv
