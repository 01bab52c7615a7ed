// The content of a project file (.tsf) as plain records: what the writer turns into bytes and the
// reader fills from them. Texts and paths are CP932 bytes as stored (paths with '\' separators);
// the application converts them where they meet the platform. Key records keep the pool index
// and the links they had, so that loading puts each one back where it was.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scene/document/math.h"
#include "scene/document/scene.h"
#include "scene/keys/key_records.h"

namespace zv {

inline constexpr std::string_view kProjectMagic = "Tessera Scene forge 0001";
inline constexpr std::size_t kProjectMagicBytes = 30;
inline constexpr std::size_t kProjectListTextBytes = 20;  // model list rows and model names
inline constexpr std::size_t kProjectPathBytes = 256;
inline constexpr std::size_t kProjectAccessoryTextBytes = 100;  // accessory list rows and names

// A key record above its track's head, with the pool index it is stored at.
template <typename Record>
struct StoredKey {
  std::uint32_t index = 0;
  Record record;
};

// One bone of the model's current pose.
struct ProjectPoseEntry {
  Vec3 translation;
  Quat rotation;
  bool moved = false;     // posed by hand since last registered
  bool selected = false;  // selected in the pose editor
};

// The counts a model block's variable part depends on, taken from the model file as loaded.
struct ProjectModelCounts {
  std::uint32_t bones = 0;
  std::uint32_t morphs = 0;
  std::uint32_t ikChains = 0;
};

struct ProjectModelBlock {
  std::uint8_t slot = 0;
  std::string name;        // the model file's name field
  std::string storedPath;  // the model file as stored
  std::uint8_t listRow = 1;
  bool visible = true;
  std::int32_t selectedBone = 0;  // -1: none
  std::array<std::int32_t, kMorphCategoryCount> shownMorphs{};
  std::vector<std::uint8_t> groupOpen;  // one flag per bone display group
  std::int32_t rowScroll = 0;
  std::int32_t lastFrame = 0;

  ProjectModelCounts counts;  // sizes of the head, pose, weight and IK arrays below
  std::vector<BoneKey> boneHeads;
  std::vector<StoredKey<BoneKey>> boneKeys;  // ascending index
  std::vector<MorphKey> morphHeads;
  std::vector<StoredKey<MorphKey>> morphKeys;
  DisplayIkKey displayIkHead;
  std::vector<StoredKey<DisplayIkKey>> displayIkKeys;
  std::vector<ProjectPoseEntry> pose;
  std::vector<float> morphWeights;
  std::vector<std::uint8_t> ikEnabled;
};

struct ProjectCamera {
  CameraKey head;
  std::vector<StoredKey<CameraKey>> keys;
  Vec3 centre;
  float viewOffsetX = 0;
  float viewOffsetY = 0;
  float distance = 0;
  Vec3 angles;
  bool orthographic = false;
};

struct ProjectLight {
  LightKey head;
  std::vector<StoredKey<LightKey>> keys;
  Vec3 colour;
  Vec3 direction;
};

struct ProjectAccessoryBlock {
  std::uint8_t slot = 0;
  std::string name;
  std::string storedPath;
  std::uint8_t listRow = 0;  // 0-based
  AccessoryKey head;
  std::vector<StoredKey<AccessoryKey>> keys;
  AccessoryState current;  // `loaded` is not stored
};

// A background picture's placement and file.
struct ProjectBackground {
  std::int32_t offsetX = 0;
  std::int32_t offsetY = 0;
  float scale = 1.0f;
  std::string storedPath;  // empty when none is open
};

struct ProjectTrailer {
  std::int32_t currentFrame = 0;
  std::int32_t firstShownFrame = 0;  // horizontal scroll of the frame editor
  std::int32_t lastFrame = 0;
  std::int32_t editMode = 2;
  bool followModelCentre = false;
  bool repeatPlayback = false;
  bool stopFrameOption = false;
  bool playFromCurrentFrame = false;
  std::int32_t playStart = 0;
  std::int32_t playStop = 0;
  bool wavLoaded = false;
  std::string wavStoredPath;
  ProjectBackground video;
  std::int32_t videoShown = 0;
  ProjectBackground image;
  bool imageShown = false;
  bool showInfo = false;
  bool showAxes = true;
  bool showGroundShadow = true;
  float frameRateLimit = 60.0f;
  std::int32_t captureMode = 0;
};

struct ProjectFile {
  std::int32_t outputWidth = 512;
  std::int32_t outputHeight = 384;
  std::int32_t panelWidth = 250;
  float fieldOfView = 45.0f;
  bool cameraMode = true;
  PanelOpen panelOpen;
  std::uint8_t currentModel = 0;
  std::vector<std::string> modelRows;     // model list rows after the first, in row order
  std::vector<ProjectModelBlock> models;  // ascending slot
  ProjectCamera camera;
  ProjectLight light;
  std::uint8_t currentAccessory = 0;
  std::int32_t cameraRowScroll = 0;
  std::vector<std::string> accessoryRows;
  std::vector<ProjectAccessoryBlock> accessories;  // ascending slot
  ProjectTrailer trailer;
};

}  // namespace zv
