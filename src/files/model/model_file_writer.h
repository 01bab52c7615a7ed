// Writing .tsm model files from a description laid out as the file's records: the demo character
// generator and the tests' model builder both write through here, so the layout lives in one place.
// Indices and counts that the reader checks (bone indices, material index runs, morph entries) are
// written as given, so a description may describe a broken file on purpose.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "scene/document/math.h"

namespace zv {

// Widths of the fixed text fields; a longer text is cut to whole characters that fit, a shorter
// one padded with NULs, so a text exactly as long as its field has no terminator.
inline constexpr std::size_t kModelNameBytes = 20;
inline constexpr std::size_t kModelCommentBytes = 256;
inline constexpr std::size_t kModelTextureNameBytes = 20;
inline constexpr std::size_t kModelBoneNameBytes = 20;
inline constexpr std::size_t kModelMorphNameBytes = 20;
inline constexpr std::size_t kModelGroupNameBytes = 50;

inline constexpr std::size_t kModelHeaderBytes = 287;  // magic, version, name, comment, vertex count
inline constexpr std::size_t kModelVertexCountOffset = 283;

struct ModelFileVertex {
  Vec3 position;                 // model space
  Vec3 normal{0, 1, 0};          // model space
  float u = 0, v = 0;            // texture coordinate
  std::uint16_t firstBone = 0;   // bone index
  std::uint16_t secondBone = 0;  // bone index
  std::uint8_t weight = 100;     // percent of the first bone; the second gets the rest
  std::uint8_t noEdge = 0;       // non-zero: the vertex carries no outline
};

struct ModelFileMaterial {
  Vec3 diffuse{0.8f, 0.8f, 0.8f};
  float alpha = 1.0f;
  float power = 5.0f;  // specular power
  Vec3 specular{0.1f, 0.1f, 0.1f};
  Vec3 ambient{0.4f, 0.4f, 0.4f};
  std::int8_t toon = -1;         // toon ramp 0..9, -1 none
  std::uint8_t edge = 1;         // non-zero: the material's triangles are outlined
  std::uint32_t indexCount = 0;  // length of this material's run of the index list
  std::string texture;           // CP932, relative to the model file's folder; empty for none
};

struct ModelFileBone {
  std::string name;          // CP932
  std::int16_t parent = -1;  // bone index, -1 for a root
  std::uint16_t tail = 0;    // bone index this bone points at
  std::uint8_t type = 0;
  std::uint16_t linked = 0;  // for type 5: the bone whose rotation is added
  Vec3 head;                 // rest position in model space
};

struct ModelFileIk {
  std::uint16_t ikBone = 0;          // bone whose position is the goal
  std::uint16_t effector = 0;        // end bone moved onto the goal
  std::vector<std::uint16_t> chain;  // joints from the one nearest the effector upward; at most 255
  std::uint16_t iterations = 15;
  float angleWeight = 0.5f;  // per-step rotation limit factor
};

struct ModelFileMorphVertex {
  std::uint32_t index = 0;  // base morph: a model vertex; other morphs: an entry of the base morph
  Vec3 position;            // base morph: absolute position; other morphs: offset at full weight
};

struct ModelFileMorph {
  std::string name;           // CP932
  std::uint8_t category = 0;  // 0 base; 1 eyebrow, 2 eye, 3 lip, 4 other
  std::vector<ModelFileMorphVertex> vertices;
};

struct ModelFileBoneListEntry {
  std::uint16_t bone = 0;
  std::uint8_t group = 1;  // 1-based into ModelFile::groups
};

struct ModelFile {
  std::string magic = "Tsm";  // written as given, so a test can write a wrong one
  float version = 1.0f;
  std::string name;     // CP932
  std::string comment;  // CP932
  std::vector<ModelFileVertex> vertices;
  std::vector<std::uint16_t> indices;  // triangle list; materials own consecutive runs of it
  std::vector<ModelFileMaterial> materials;
  std::vector<ModelFileBone> bones;
  std::vector<ModelFileIk> ikChains;
  std::vector<ModelFileMorph> morphs;
  std::vector<std::uint16_t> morphList;  // morph indices shown on the timeline; at most 255
  std::vector<std::string> groups;       // bone group names, CP932; at most 255
  std::vector<ModelFileBoneListEntry> boneList;
  std::string trailing;  // bytes after the bone list, which readers ignore
};

// Converts every text of a description written in UTF-8 (as source code holds them) to CP932.
void convertModelTextsFromUtf8(ModelFile& file);

// The name of the first list of `file` with more entries than its count field can record
// ("bones", "morph list", ...), or nullopt when every list fits.
std::optional<std::string> oversizedModelList(const ModelFile& file);

// The bytes of the file, or nullopt when a list does not fit its count field: a cut count would
// make the reader take the following records for something else.
std::optional<std::string> encodeModelFile(const ModelFile& file);

// Encodes and writes the file so that `path` is either wholly replaced or left as it was; false
// when the description cannot be encoded or the file cannot be written.
bool writeModelFile(const std::filesystem::path& path, const ModelFile& file);

}  // namespace zv
