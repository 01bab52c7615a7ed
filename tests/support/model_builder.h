// Builds the bytes of a .tsm model file from a small description, so a test can make exactly the
// model it needs. Texts are given in UTF-8 and written as CP932, cut to their field width.
// Every index is written as given (nothing is checked), so hostile files are easy:
//
//   TsmModel model = sampleModel();
//   model.vertices[0].firstBone = 7;           // out of range
//   std::string bytes = tsmBytes(model);
#pragma once

#include <cstdint>
#include <string>

#include "files/model/model_file_writer.h"

namespace zv::test {

inline constexpr std::size_t kTsmHeaderSize = kModelHeaderBytes;
inline constexpr std::size_t kTsmVertexCountOffset = kModelVertexCountOffset;

using TsmVertex = ModelFileVertex;
using TsmMaterial = ModelFileMaterial;
using TsmBone = ModelFileBone;
using TsmIk = ModelFileIk;
using TsmMorphVertex = ModelFileMorphVertex;
using TsmMorph = ModelFileMorph;
using TsmBoneListEntry = ModelFileBoneListEntry;

// A model file description whose texts are UTF-8, as tests write them.
struct TsmModel : ModelFile {
  TsmModel() { name = "テストモデル"; }

  // Appends a bone and returns its index.
  std::uint16_t addBone(const std::string& boneName, std::int16_t parent, Vec3 head, std::uint8_t type = 0);
  // Appends three vertices bound fully to `bone` and their triangle to the last material's run
  // (a material is added when there is none).
  void addTriangle(Vec3 a, Vec3 b, Vec3 c, std::uint16_t bone = 0);
};

std::string tsmBytes(const TsmModel& model);

// One root bone "センター", one triangle, one material: the smallest model that loads.
TsmModel minimalModel();

// A small but complete model: centre, two-bone leg with an IK chain, a linked (type 5) bone, a
// base morph and one morph in each of the four categories, a morph list, two groups and a bone
// list, one textured material.
TsmModel sampleModel();

}  // namespace zv::test
