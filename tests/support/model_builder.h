// Builds the bytes of a .tsm model file from a small description, so a test can make exactly the
// model it needs. Texts are given in UTF-8 and written as CP932, cut to their field width.
// Every index and count is written as given (nothing is checked), so hostile files are easy:
//
//   TsmModel model = twoBoneModel();
//   model.vertices[0].firstBone = 7;           // out of range
//   std::string bytes = tsmBytes(model);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/math.h"

namespace zv::test {

inline constexpr std::size_t kTsmHeaderSize = 287;  // magic, version, name, comment, vertex count
inline constexpr std::size_t kTsmVertexCountOffset = 283;

struct TsmVertex {
  Vec3 position;
  Vec3 normal{0, 1, 0};
  float u = 0, v = 0;
  std::uint16_t firstBone = 0;
  std::uint16_t secondBone = 0;
  std::uint8_t weight = 100;  // percent of the first bone
  std::uint8_t noEdge = 0;
};

struct TsmMaterial {
  Vec3 diffuse{0.8f, 0.8f, 0.8f};
  float alpha = 1.0f;
  float power = 5.0f;
  Vec3 specular{0.1f, 0.1f, 0.1f};
  Vec3 ambient{0.4f, 0.4f, 0.4f};
  std::int8_t toon = -1;
  std::uint8_t edge = 1;
  std::uint32_t indexCount = 0;
  std::string texture;  // UTF-8
};

struct TsmBone {
  std::string name;  // UTF-8
  std::int16_t parent = -1;
  std::uint16_t tail = 0;
  std::uint8_t type = 0;
  std::uint16_t linked = 0;
  Vec3 head;
};

struct TsmIk {
  std::uint16_t ikBone = 0;
  std::uint16_t effector = 0;
  std::vector<std::uint16_t> chain;  // its size is written as the chain length
  std::uint16_t iterations = 15;
  float angleWeight = 0.5f;
};

struct TsmMorphVertex {
  std::uint32_t index = 0;
  Vec3 position;
};

struct TsmMorph {
  std::string name;  // UTF-8
  std::uint8_t category = 0;
  std::vector<TsmMorphVertex> vertices;
};

struct TsmBoneListEntry {
  std::uint16_t bone = 0;
  std::uint8_t group = 1;  // 1-based into groups
};

struct TsmModel {
  std::string magic = "Tsm";
  float version = 1.0f;
  std::string name = "テストモデル";
  std::string comment;
  std::vector<TsmVertex> vertices;
  std::vector<std::uint16_t> indices;
  std::vector<TsmMaterial> materials;
  std::vector<TsmBone> bones;
  std::vector<TsmIk> ikChains;
  std::vector<TsmMorph> morphs;
  std::vector<std::uint16_t> morphList;
  std::vector<std::string> groups;  // UTF-8
  std::vector<TsmBoneListEntry> boneList;
  std::string trailing;  // bytes after the bone list

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
