#include "files/project/project_scene.h"

#include <algorithm>

namespace zv {
namespace {

constexpr std::size_t kMaxStoredGroups = 255;  // the group count is one byte

template <typename Record>
std::vector<Record> heads(const KeyPool<Record>& pool) {
  std::vector<Record> records;
  records.reserve(pool.headCount());
  for (std::uint32_t index = 0; index < pool.headCount(); ++index) {
    records.push_back(pool[index]);
  }
  return records;
}

bool flagAt(const std::vector<std::uint8_t>& flags, std::size_t index) {
  return index < flags.size() && flags[index] != 0;
}

}  // namespace

ProjectModelBlock projectModelBlock(const Model& model, int slot, std::string storedPath) {
  ProjectModelBlock block;
  block.slot = static_cast<std::uint8_t>(slot);
  block.name = model.name;
  block.storedPath = std::move(storedPath);
  block.listRow = static_cast<std::uint8_t>(model.listIndex);
  block.visible = model.visible;
  block.selectedBone = model.selectedBone;
  block.shownMorphs = model.selectedMorph;
  const std::size_t groups = std::min(model.groupNames.size(), kMaxStoredGroups);
  for (std::size_t group = 0; group < groups; ++group) {
    block.groupOpen.push_back(model.groupNames[group].open ? 1 : 0);
  }
  block.rowScroll = model.rowScroll;
  block.lastFrame = static_cast<std::int32_t>(model.lastFrame);
  block.counts = {static_cast<std::uint32_t>(model.bones.size()),
                  static_cast<std::uint32_t>(model.morphs.size()),
                  static_cast<std::uint32_t>(model.ikChains.size())};
  block.boneHeads = heads(model.boneKeyPool);
  block.boneKeys = storedKeys(model.boneKeyPool);
  block.morphHeads = heads(model.morphKeyPool);
  block.morphKeys = storedKeys(model.morphKeyPool);
  block.displayIkHead = model.displayIkKeyPool[0];
  block.displayIkKeys = storedKeys(model.displayIkKeyPool);
  for (std::size_t bone = 0; bone < model.bones.size(); ++bone) {
    block.pose.push_back({model.bones[bone].keyTranslation, model.bones[bone].keyRotation,
                          flagAt(model.boneMoved, bone), flagAt(model.boneSelected, bone)});
  }
  for (const Morph& morph : model.morphs) {
    block.morphWeights.push_back(morph.weight);
  }
  for (const IkChain& chain : model.ikChains) {
    block.ikEnabled.push_back(chain.enabled ? 1 : 0);
  }
  return block;
}

ProjectCamera projectCamera(const Scene& scene) {
  ProjectCamera camera;
  camera.head = scene.cameraKeyPool[0];
  camera.keys = storedKeys(scene.cameraKeyPool);
  camera.centre = scene.camera.cameraCentre;
  camera.viewOffsetX = scene.viewOffsetX;
  camera.viewOffsetY = scene.viewOffsetY;
  camera.distance = scene.camera.cameraDistance;
  camera.angles = scene.camera.cameraAngles;
  camera.orthographic = scene.camera.orthographic;
  return camera;
}

ProjectLight projectLight(const Scene& scene) {
  ProjectLight light;
  light.head = scene.lightKeyPool[0];
  light.keys = storedKeys(scene.lightKeyPool);
  light.colour = scene.light.lightColour;
  light.direction = scene.light.lightDirection;
  return light;
}

}  // namespace zv
