// Hostile bytes into the model reader. A refused file is fine; an accepted one must keep every
// promise the posing and drawing code relies on, so those are checked here too.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scene/document/model_reader.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

void checkAccepted(const zv::Model& model) {
  const std::size_t vertexCount = model.sourceVertices.size();
  const std::size_t boneCount = model.bones.size();
  require(boneCount > 0 && model.morphs.size() <= zv::kMaxModelMorphs);
  require(model.modelVertices.size() == vertexCount && model.edgeVertices.size() == vertexCount);
  for (const zv::SourceVertex& vertex : model.sourceVertices) {
    require(vertex.firstBone < boneCount && vertex.secondBone < boneCount && vertex.firstBoneWeight <= 100);
  }
  for (std::uint16_t index : model.indices) {
    require(index < vertexCount);
  }
  std::size_t materialIndices = 0;
  for (const zv::Material& material : model.materials) {
    materialIndices += material.indexCount;
  }
  require(materialIndices <= model.indices.size());
  for (const zv::Bone& bone : model.bones) {
    require(bone.parent >= -1 && static_cast<std::size_t>(bone.parent + 1) <= boneCount);
    require(bone.tail < boneCount && bone.linkedBone < boneCount && bone.name.size() <= zv::kModelNameSize);
  }
  for (const zv::BoneListEntry& entry : model.boneList) {
    require(entry.boneIndex < boneCount && entry.group < model.groupNames.size());
  }
  for (const zv::MorphListEntry& entry : model.morphList) {
    require(entry.morphIndex < model.morphs.size());
  }
  require(model.boneSelected.size() == boneCount && model.boneSelected[0] == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zv::Model model;
  if (!zv::parseModel(std::string_view(reinterpret_cast<const char*>(data), size), model)) {
    checkAccepted(model);
  }
  return 0;
}
