#include "files/project/project_reader.h"

#include <algorithm>
#include <bit>
#include <bitset>

#include "port/text.h"

namespace zv {
namespace {

constexpr std::string_view kMagicName = "Tessera Scene forge";
constexpr std::string_view kVersion{"0001\0", 5};
constexpr std::size_t kVersionOffset = 20;  // from the start of the name

// A bounded reader: a read past the end yields zeros and marks the cursor failed.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

  bool failed() const { return failed_; }
  void fail() { failed_ = true; }
  std::size_t remaining() const { return bytes_.size() - offset_; }

  std::string_view take(std::size_t count) {
    if (failed_ || count > remaining()) {
      failed_ = true;
      return {};
    }
    std::string_view taken = bytes_.substr(offset_, count);
    offset_ += count;
    return taken;
  }
  std::uint8_t u8() {
    const std::string_view byte = take(1);
    return byte.empty() ? 0 : static_cast<std::uint8_t>(byte[0]);
  }
  bool flag() { return u8() == 1; }
  std::uint32_t u32() {
    const std::string_view bytes = take(4);
    if (bytes.empty()) {
      return 0;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
      value = (value << 8) | static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(i)]);
    }
    return value;
  }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  float f32() { return std::bit_cast<float>(u32()); }
  Vec3 vec3() {
    Vec3 value;
    value.x = f32();
    value.y = f32();
    value.z = f32();
    return value;
  }
  std::string text(std::size_t width) {
    const std::string_view field = take(width);
    return std::string(field.substr(0, std::min(field.find('\0'), field.size())));
  }
  template <int Channels>
  ChannelCurves<Channels> curves() {
    ChannelCurves<Channels> value;
    for (int channel = 0; channel < Channels; ++channel) {
      InterpolationCurve curve;
      curve.x1 = u8();
      curve.y1 = u8();
      curve.x2 = u8();
      curve.y2 = u8();
      value.setCurve(channel, curve);
    }
    return value;
  }

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
  bool failed_ = false;
};

void links(ByteCursor& in, std::uint32_t& frame, std::uint32_t& prev, std::uint32_t& next) {
  frame = in.u32();
  prev = in.u32();
  next = in.u32();
}

void read(ByteCursor& in, BoneKey& key, std::uint32_t) {
  links(in, key.frame, key.prev, key.next);
  key.curves = in.curves<kBoneChannelCount>();
  key.translation = in.vec3();
  key.rotation.x = in.f32();
  key.rotation.y = in.f32();
  key.rotation.z = in.f32();
  key.rotation.w = in.f32();
  key.selected = in.flag();
}

void read(ByteCursor& in, MorphKey& key, std::uint32_t) {
  links(in, key.frame, key.prev, key.next);
  key.weight = in.f32();
  key.selected = in.flag();
}

void read(ByteCursor& in, DisplayIkKey& key, std::uint32_t ikChains) {
  links(in, key.frame, key.prev, key.next);
  key.visible = in.flag();
  key.ikEnabled.assign(ikChains, false);
  for (std::uint32_t chain = 0; chain < ikChains; ++chain) {
    key.ikEnabled[chain] = in.flag();
  }
  key.selected = in.flag();
}

void read(ByteCursor& in, CameraKey& key, std::uint32_t) {
  links(in, key.frame, key.prev, key.next);
  key.distance = in.f32();
  key.centre = in.vec3();
  key.rotation = in.vec3();
  key.curves = in.curves<kCameraChannelCount>();
  key.orthographic = in.flag();
  key.viewAngle = in.i32();
  key.selected = in.flag();
}

void read(ByteCursor& in, LightKey& key, std::uint32_t) {
  links(in, key.frame, key.prev, key.next);
  key.colour = in.vec3();
  key.direction = in.vec3();
  key.selected = in.flag();
}

void read(ByteCursor& in, AccessoryKey& key, std::uint32_t) {
  links(in, key.frame, key.prev, key.next);
  key.visible = in.flag();
  key.parentModel = in.i32();
  key.parentBone = in.i32();
  key.position = in.vec3();
  key.rotation = in.vec3();
  key.scale = in.f32();
  key.shadow = in.flag();
  key.selected = in.flag();
}

// The count and the indexed records of one pool: indices ascending, above the heads and inside
// the pool; the count bounded by the pool and by the bytes left, before anything is allocated.
template <typename Record>
std::vector<StoredKey<Record>> readIndexed(ByteCursor& in, std::uint32_t headCount, std::size_t recordBytes,
                                           std::uint32_t extra = 0) {
  const std::int32_t count = in.i32();
  const std::uint32_t capacity = Record::kPoolCapacity;
  if (in.failed() || count < 0 || static_cast<std::uint32_t>(count) > capacity - headCount ||
      static_cast<std::size_t>(count) > in.remaining() / (4 + recordBytes)) {
    in.fail();
    return {};
  }
  std::vector<StoredKey<Record>> keys(static_cast<std::size_t>(count));
  std::uint32_t lowest = headCount;
  for (StoredKey<Record>& key : keys) {
    key.index = in.u32();
    if (key.index < lowest || key.index >= capacity) {
      in.fail();
      return {};
    }
    lowest = key.index + 1;
    read(in, key.record, extra);
  }
  return keys;
}

bool inRange(std::int32_t value, std::int32_t low, std::int32_t end) {
  return value >= low && value < end;
}

bool readModelFixedPart(ByteCursor& in, ProjectModelBlock& block, std::size_t rowCount) {
  block.listRow = in.u8();
  block.visible = in.flag();
  block.selectedBone = in.i32();
  for (std::int32_t& morph : block.shownMorphs) {
    morph = in.i32();
  }
  block.groupOpen.resize(in.u8());
  for (std::uint8_t& open : block.groupOpen) {
    open = in.flag() ? 1 : 0;
  }
  block.rowScroll = in.i32();
  block.lastFrame = in.i32();
  const auto bones = static_cast<std::int32_t>(block.counts.bones);
  const auto shownMorphEnd = static_cast<std::int32_t>(std::max<std::uint32_t>(block.counts.morphs, 1));
  const bool morphsInRange =
      std::all_of(block.shownMorphs.begin(), block.shownMorphs.end(),
                  [&](std::int32_t morph) { return inRange(morph, 0, shownMorphEnd); });
  return !in.failed() && block.listRow >= 1 && block.listRow <= rowCount &&
         inRange(block.selectedBone, -1, bones) && morphsInRange;
}

void readModelTracks(ByteCursor& in, ProjectModelBlock& block) {
  const ProjectModelCounts counts = block.counts;
  constexpr std::size_t kBoneKeyBytes = 57;
  constexpr std::size_t kMorphKeyBytes = 17;
  if (counts.bones > BoneKey::kPoolCapacity || counts.morphs >= MorphKey::kPoolCapacity ||
      counts.bones > in.remaining() / kBoneKeyBytes) {
    in.fail();
    return;
  }
  block.boneHeads.resize(counts.bones);
  for (BoneKey& head : block.boneHeads) {
    read(in, head, 0);
  }
  block.boneKeys = readIndexed<BoneKey>(in, counts.bones, kBoneKeyBytes);
  if (in.failed() || counts.morphs > in.remaining() / kMorphKeyBytes) {
    in.fail();
    return;
  }
  block.morphHeads.resize(counts.morphs);
  for (MorphKey& head : block.morphHeads) {
    read(in, head, 0);
  }
  block.morphKeys = readIndexed<MorphKey>(in, counts.morphs, kMorphKeyBytes);
  read(in, block.displayIkHead, counts.ikChains);
  block.displayIkKeys = readIndexed<DisplayIkKey>(in, 1, 14 + std::size_t{counts.ikChains}, counts.ikChains);
}

void readModelState(ByteCursor& in, ProjectModelBlock& block) {
  constexpr std::size_t kPoseEntryBytes = 34;
  const ProjectModelCounts counts = block.counts;
  if (in.failed() || counts.bones > in.remaining() / kPoseEntryBytes || counts.morphs > in.remaining() / 4 ||
      counts.ikChains > in.remaining()) {
    in.fail();
    return;
  }
  block.pose.resize(counts.bones);
  for (ProjectPoseEntry& bone : block.pose) {
    bone.translation = in.vec3();
    bone.rotation.x = in.f32();
    bone.rotation.y = in.f32();
    bone.rotation.z = in.f32();
    bone.rotation.w = in.f32();
    bone.rotation.x = in.f32();
    bone.moved = in.flag();
    bone.selected = in.flag();
  }
  block.morphWeights.resize(counts.morphs);
  for (float& weight : block.morphWeights) {
    weight = in.f32();
  }
  block.ikEnabled.resize(counts.ikChains);
  for (std::uint8_t& enabled : block.ikEnabled) {
    enabled = in.flag() ? 1 : 0;
  }
}

ProjectReadFailure damaged() {
  return {ProjectRefusal::Damaged, {std::string(kDamagedProjectMessage), std::string(kProjectCaption)}};
}

void readHeader(ByteCursor& in, ProjectFile& project) {
  in.take(kProjectMagicBytes);
  project.outputWidth = in.i32();
  project.outputHeight = in.i32();
  project.panelWidth = in.i32();
  project.fieldOfView = in.f32();
  project.cameraMode = in.flag();
  PanelOpen& open = project.panelOpen;
  for (bool* flag : {&open.camera, &open.light, &open.accessory, &open.bone, &open.face}) {
    *flag = in.flag();
  }
  project.currentModel = in.u8();
  project.modelRows.resize(in.u8());
  for (std::string& row : project.modelRows) {
    row = in.text(kProjectListTextBytes);
  }
}

// Fills project.models; a failure when a model could not be loaded or the blocks are unsound.
std::optional<ProjectReadFailure> readModels(ByteCursor& in, ProjectFile& project,
                                             const ProjectModelLoader& loadModel) {
  const std::size_t count = project.modelRows.size();
  std::bitset<256> rowsSeen;
  int previousSlot = -1;
  for (std::size_t i = 0; i < count; ++i) {
    ProjectModelBlock block;
    block.slot = in.u8();
    block.name = in.text(kProjectListTextBytes);
    block.storedPath = in.text(kProjectPathBytes);
    if (in.failed() || block.slot >= kMaxModels || block.slot <= previousSlot) {
      return damaged();
    }
    previousSlot = block.slot;
    const std::optional<ProjectModelCounts> counts = loadModel(block);
    if (!counts) {
      return ProjectReadFailure{ProjectRefusal::ModelMissing, missingModelMessage(block)};
    }
    block.counts = *counts;
    if (!readModelFixedPart(in, block, count) || rowsSeen.test(block.listRow)) {
      return damaged();
    }
    rowsSeen.set(block.listRow);
    readModelTracks(in, block);
    readModelState(in, block);
    if (in.failed()) {
      return damaged();
    }
    project.models.push_back(std::move(block));
  }
  return std::nullopt;
}

void readCameraAndLight(ByteCursor& in, ProjectFile& project) {
  ProjectCamera& camera = project.camera;
  read(in, camera.head, 0);
  camera.keys = readIndexed<CameraKey>(in, 1, 70);
  camera.centre = in.vec3();
  camera.viewOffsetX = in.f32();
  camera.viewOffsetY = in.f32();
  camera.distance = in.f32();
  camera.angles = in.vec3();
  camera.orthographic = in.flag();
  ProjectLight& light = project.light;
  read(in, light.head, 0);
  light.keys = readIndexed<LightKey>(in, 1, 37);
  light.colour = in.vec3();
  light.direction = in.vec3();
}

bool parentInRange(std::int32_t parentModel, std::int32_t parentBone) {
  return inRange(parentModel, -1, kMaxModels) && parentBone >= 0;
}

bool readAccessoryBlock(ByteCursor& in, ProjectAccessoryBlock& block) {
  block.slot = in.u8();
  block.name = in.text(kProjectAccessoryTextBytes);
  block.storedPath = in.text(kProjectPathBytes);
  block.listRow = in.u8();
  read(in, block.head, 0);
  block.keys = readIndexed<AccessoryKey>(in, 1, 51);
  AccessoryState& current = block.current;
  current.visible = in.flag();
  current.parentModel = in.i32();
  current.parentBone = in.i32();
  current.rotation = in.vec3();
  current.scale = in.f32();
  current.position = in.vec3();
  current.shadow = in.flag();
  bool parentsInRange = parentInRange(current.parentModel, current.parentBone) &&
                        parentInRange(block.head.parentModel, block.head.parentBone);
  for (const StoredKey<AccessoryKey>& key : block.keys) {
    parentsInRange = parentsInRange && parentInRange(key.record.parentModel, key.record.parentBone);
  }
  return !in.failed() && block.slot < kMaxAccessories && parentsInRange;
}

bool readAccessories(ByteCursor& in, ProjectFile& project) {
  project.currentAccessory = in.u8();
  project.cameraRowScroll = in.i32();
  project.accessoryRows.resize(in.u8());
  for (std::string& row : project.accessoryRows) {
    row = in.text(kProjectAccessoryTextBytes);
  }
  std::bitset<256> rowsSeen;
  int previousSlot = -1;
  for (std::size_t i = 0; i < project.accessoryRows.size(); ++i) {
    ProjectAccessoryBlock block;
    if (!readAccessoryBlock(in, block) || block.slot <= previousSlot ||
        block.listRow >= project.accessoryRows.size() || rowsSeen.test(block.listRow)) {
      return false;
    }
    previousSlot = block.slot;
    rowsSeen.set(block.listRow);
    project.accessories.push_back(std::move(block));
  }
  return !in.failed() && project.currentAccessory < kMaxAccessories;
}

ProjectBackground readBackground(ByteCursor& in) {
  ProjectBackground background;
  background.offsetX = in.i32();
  background.offsetY = in.i32();
  background.scale = in.f32();
  background.storedPath = in.text(kProjectPathBytes);
  return background;
}

void readTrailer(ByteCursor& in, ProjectTrailer& trailer) {
  trailer.currentFrame = in.i32();
  trailer.firstShownFrame = in.i32();
  trailer.lastFrame = in.i32();
  trailer.editMode = in.i32();
  // The trailer's flags are true for any non-zero byte.
  trailer.followModelCentre = in.u8() != 0;
  trailer.repeatPlayback = in.u8() != 0;
  trailer.stopFrameOption = in.u8() != 0;
  trailer.playFromCurrentFrame = in.u8() != 0;
  trailer.playStart = in.i32();
  trailer.playStop = in.i32();
  trailer.wavLoaded = in.u8() != 0;
  trailer.wavStoredPath = in.text(kProjectPathBytes);
  trailer.video = readBackground(in);
  trailer.videoShown = in.i32();
  trailer.image = readBackground(in);
  trailer.imageShown = in.u8() != 0;
  trailer.showInfo = in.u8() != 0;
  trailer.showAxes = in.u8() != 0;
  trailer.showGroundShadow = in.u8() != 0;
  trailer.frameRateLimit = in.f32();
  trailer.captureMode = in.i32();
}

bool currentModelSound(const ProjectFile& project) {
  if (project.currentModel >= kMaxModels) {
    return false;
  }
  return project.cameraMode ||
         std::any_of(project.models.begin(), project.models.end(),
                     [&](const ProjectModelBlock& model) { return model.slot == project.currentModel; });
}

}  // namespace

std::optional<ProjectReadFailure> checkProjectMagic(std::string_view bytes) {
  const std::string_view field = bytes.substr(0, std::min(bytes.size(), kProjectMagicBytes));
  const std::size_t name = field.find(kMagicName);
  if (name == std::string_view::npos) {
    return ProjectReadFailure{ProjectRefusal::Foreign,
                              {std::string(kForeignProjectMessage), std::string(kProjectCaption)}};
  }
  const std::size_t version = name + kVersionOffset;
  if (version + kVersion.size() > field.size() || field.substr(version, kVersion.size()) != kVersion) {
    return ProjectReadFailure{ProjectRefusal::WrongVersion,
                              {std::string(kProjectVersionMessage), std::string(kProjectCaption)}};
  }
  return std::nullopt;
}

ProjectReadResult readProject(std::string_view bytes, const ProjectModelLoader& loadModel) {
  if (auto refused = checkProjectMagic(bytes)) {
    return {std::nullopt, std::move(refused)};
  }
  ByteCursor in(bytes);
  ProjectFile project;
  readHeader(in, project);
  if (in.failed()) {
    return {std::nullopt, damaged()};
  }
  if (auto refused = readModels(in, project, loadModel)) {
    return {std::nullopt, std::move(refused)};
  }
  readCameraAndLight(in, project);
  if (in.failed() || !readAccessories(in, project)) {
    return {std::nullopt, damaged()};
  }
  readTrailer(in, project.trailer);
  if (in.failed() || in.remaining() != 0 || !currentModelSound(project)) {
    return {std::nullopt, damaged()};
  }
  return {std::move(project), std::nullopt};
}

ProjectMessage missingModelMessage(const ProjectModelBlock& block) {
  const std::string_view path = block.storedPath;
  std::string fileName(kUnknownModelFile);
  const std::size_t extension = port::findCp932(path, ".tsm");
  if (extension != std::string_view::npos) {
    const std::size_t separator = port::findLastCp932Char(path.substr(0, extension), '\\');
    if (separator != std::string_view::npos) {
      fileName = port::cp932ToUtf8(path.substr(separator + 1));
    }
  }
  return {port::cp932ToUtf8(block.name) + "のモデルファイル(" + fileName + ")が見つかりません",
          std::string(kProjectCaption)};
}

}  // namespace zv
