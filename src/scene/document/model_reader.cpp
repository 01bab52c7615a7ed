#include "scene/document/model_reader.h"

#include <algorithm>
#include <cassert>

#include "port/byte_cursor.h"
#include "port/file_bytes.h"
#include "port/paths.h"
#include "port/text.h"
#include "scene/keys/key_pool_setup.h"

namespace zv {
namespace {

constexpr std::string_view kCaption = "ファイル読込";
constexpr std::string_view kNotAModel = "このファイルはTessera Scene Forge用モデルファイルではありません";
constexpr std::string_view kBroken = "このモデルファイルは壊れています";

constexpr std::size_t kVertexRecordSize = 38;
constexpr std::size_t kMaterialRecordSize = 70;
constexpr std::size_t kBoneRecordSize = 39;
constexpr std::size_t kIkRecordHeadSize = 11;
constexpr std::size_t kMorphRecordHeadSize = 25;
constexpr std::size_t kMorphVertexSize = 16;
constexpr std::size_t kBoneListRecordSize = 3;
constexpr std::uint8_t kMaxVertexWeight = 100;

ModelLoadFailure failure(std::string message) {
  return {std::move(message), std::string(kCaption)};
}

ModelLoadFailure broken(std::string_view detail) {
  return failure(std::string(kBroken) + "(" + std::string(detail) + ")");
}

using port::ByteCursor;

// A fixed-width text field: the bytes up to the first NUL, at most `size`.
std::string readText(ByteCursor& in, std::size_t size) {
  const std::string_view field = in.take(size);
  return field.empty() ? std::string() : std::string(port::fixedField(field.data(), size));
}

void readVertices(ByteCursor& in, Model& model) {
  const std::uint32_t count = in.u32();
  if (!in.holds(count, kVertexRecordSize)) {
    return;
  }
  model.sourceVertices.resize(count);
  model.modelVertices.resize(count);
  model.edgeVertices.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    SourceVertex& source = model.sourceVertices[i];
    source.position = in.read<Vec3>();
    source.normal = in.read<Vec3>();
    model.modelVertices[i].u = in.f32();
    model.modelVertices[i].v = in.f32();
    source.firstBone = in.u16();
    source.secondBone = in.u16();
    source.firstBoneWeight = std::min(in.u8(), kMaxVertexWeight);
    source.noEdge = in.u8() != 0;
  }
}

void readIndices(ByteCursor& in, Model& model) {
  const std::uint32_t count = in.u32();
  if (!in.holds(count, sizeof(std::uint16_t))) {
    return;
  }
  model.indices.resize(count);
  for (std::uint16_t& index : model.indices) {
    index = in.u16();
  }
}

void readMaterials(ByteCursor& in, Model& model) {
  const std::uint32_t count = in.u32();
  if (!in.holds(count, kMaterialRecordSize)) {
    return;
  }
  model.materials.resize(count);
  for (Material& material : model.materials) {
    const Vec3 diffuse = in.read<Vec3>();
    const float alpha = in.f32();
    material.power = in.f32();
    const Vec3 specular = in.read<Vec3>();
    const Vec3 ambient = in.read<Vec3>();
    material.diffuse = {diffuse.x, diffuse.y, diffuse.z, alpha};
    material.ambient = material.diffuse;
    material.specular = {specular.x, specular.y, specular.z, 0};
    material.emissive = {ambient.x, ambient.y, ambient.z, 0};
    material.toonIndex = static_cast<std::int8_t>(in.u8());
    material.edge = in.u8() != 0;
    material.indexCount = in.u32();
    material.textureName = readText(in, kModelNameSize);
  }
}

void readBones(ByteCursor& in, Model& model) {
  const std::uint16_t count = in.u16();
  if (!in.holds(count, kBoneRecordSize)) {
    return;
  }
  model.bones.resize(count);
  for (Bone& bone : model.bones) {
    bone.name = readText(in, kModelNameSize);
    bone.parent = in.i16();
    bone.tail = in.u16();
    bone.type = in.u8();
    bone.linkedBone = in.u16();
    bone.head = in.read<Vec3>();
  }
}

void readIkChains(ByteCursor& in, Model& model) {
  const std::uint16_t count = in.u16();
  if (!in.holds(count, kIkRecordHeadSize)) {
    return;
  }
  model.ikChains.resize(count);
  for (IkChain& chain : model.ikChains) {
    chain.ikBone = in.u16();
    chain.effector = in.u16();
    const std::uint8_t length = in.u8();
    chain.iterations = in.u16();
    chain.angleWeight = in.f32();
    if (!in.holds(length, sizeof(std::uint16_t))) {
      return;
    }
    chain.chainBones.resize(length);
    for (std::uint16_t& bone : chain.chainBones) {
      bone = in.u16();
    }
  }
}

void readMorphs(ByteCursor& in, Model& model) {
  const std::uint16_t count = in.u16();
  if (!in.holds(count, kMorphRecordHeadSize)) {
    return;
  }
  model.morphs.resize(count);
  for (Morph& morph : model.morphs) {
    morph.name = readText(in, kModelNameSize);
    const std::uint32_t vertexCount = in.u32();
    morph.category = in.u8();
    if (!in.holds(vertexCount, kMorphVertexSize)) {
      return;
    }
    morph.vertices.resize(vertexCount);
    for (MorphVertex& vertex : morph.vertices) {
      vertex.index = in.u32();
      vertex.position = in.read<Vec3>();
    }
  }
}

// The morph list holds indices only; names are copied once the indices are known to be valid.
void readMorphList(ByteCursor& in, Model& model) {
  const std::uint8_t count = in.u8();
  model.morphList.resize(count);
  for (MorphListEntry& entry : model.morphList) {
    entry.morphIndex = in.u16();
  }
}

// The reader's own groups come first: bone 0's name, display and IK, and expressions when the
// timeline lists morphs. File group numbers are 1-based and shift past them.
std::uint16_t readGroupNames(ByteCursor& in, Model& model) {
  static const std::string displayIk = port::utf8ToCp932("表示･IK");
  static const std::string expressions = port::utf8ToCp932("表情");
  const std::uint8_t count = in.u8();
  model.groupNames.push_back({model.bones.empty() ? std::string() : model.bones[0].name, false});
  model.groupNames.push_back({displayIk, false});
  if (!model.morphList.empty()) {
    model.groupNames.push_back({expressions, false});
  }
  const auto shift = static_cast<std::uint16_t>(model.groupNames.size() - 1);
  for (int i = 0; i < count; ++i) {
    model.groupNames.push_back({readText(in, kGroupNameSize), false});
  }
  return shift;
}

void readBoneList(ByteCursor& in, Model& model, std::uint16_t groupShift) {
  const std::uint32_t count = in.u32();
  if (!in.holds(count, kBoneListRecordSize)) {
    return;
  }
  model.boneList.resize(count);
  for (BoneListEntry& entry : model.boneList) {
    entry.boneIndex = in.u16();
    const std::uint8_t fileGroup = in.u8();
    // Group 0 is outside the file's 1-based numbering: keep it out of range so validation refuses it.
    entry.group = fileGroup == 0 ? std::numeric_limits<std::uint16_t>::max()
                                 : static_cast<std::uint16_t>(fileGroup + groupShift);
  }
}

std::optional<std::string_view> checkGeometry(const Model& model) {
  const std::size_t boneCount = model.bones.size();
  for (const SourceVertex& vertex : model.sourceVertices) {
    if (vertex.firstBone >= boneCount || vertex.secondBone >= boneCount) {
      return "頂点のボーン番号が範囲外です";
    }
  }
  const std::size_t vertexCount = model.sourceVertices.size();
  if (std::any_of(model.indices.begin(), model.indices.end(),
                  [&](std::uint16_t index) { return index >= vertexCount; })) {
    return "面の頂点番号が範囲外です";
  }
  std::uint64_t materialIndices = 0;
  for (const Material& material : model.materials) {
    materialIndices += material.indexCount;
  }
  if (materialIndices > model.indices.size()) {
    return "材質の面数が面の数を超えています";
  }
  return std::nullopt;
}

std::optional<std::string_view> checkSkeleton(const Model& model) {
  const auto count = static_cast<std::int64_t>(model.bones.size());
  for (const Bone& bone : model.bones) {
    if (bone.parent < -1 || bone.parent >= count) {
      return "親ボーン番号が範囲外です";
    }
    if (bone.tail >= count) {
      return "先ボーン番号が範囲外です";
    }
    if (bone.linkedBone >= count) {
      return "連動ボーン番号が範囲外です";
    }
  }
  for (const IkChain& chain : model.ikChains) {
    const bool chainInRange = std::all_of(chain.chainBones.begin(), chain.chainBones.end(),
                                          [&](std::uint16_t bone) { return bone < count; });
    if (chain.ikBone >= count || chain.effector >= count || !chainInRange) {
      return "IKのボーン番号が範囲外です";
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> checkMorphs(const Model& model) {
  if (model.morphs.empty()) {
    return std::nullopt;
  }
  const auto& base = model.morphs[0].vertices;
  const std::size_t vertexCount = model.sourceVertices.size();
  if (std::any_of(base.begin(), base.end(), [&](const MorphVertex& v) { return v.index >= vertexCount; })) {
    return "表情の頂点番号が範囲外です";
  }
  for (std::size_t m = 1; m < model.morphs.size(); ++m) {
    const auto& vertices = model.morphs[m].vertices;
    if (std::any_of(vertices.begin(), vertices.end(),
                    [&](const MorphVertex& v) { return v.index >= base.size(); })) {
      return "表情の頂点番号が範囲外です";
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> checkTimelineLists(const Model& model) {
  for (const MorphListEntry& entry : model.morphList) {
    if (entry.morphIndex >= model.morphs.size()) {
      return "表情枠の表情番号が範囲外です";
    }
  }
  for (const BoneListEntry& entry : model.boneList) {
    if (entry.boneIndex >= model.bones.size()) {
      return "ボーン枠のボーン番号が範囲外です";
    }
    if (entry.group >= model.groupNames.size()) {
      return "ボーン枠の枠番号が範囲外です";
    }
  }
  return std::nullopt;
}

std::optional<ModelLoadFailure> validate(const Model& model) {
  if (model.bones.empty()) {
    return failure("ボーンのないモデルは読み込めません");
  }
  if (model.morphs.size() > kMaxModelMorphs) {
    return failure("表情が20000個以上あるモデルは読み込めません");
  }
  for (auto check : {checkGeometry, checkSkeleton, checkMorphs, checkTimelineLists}) {
    if (const auto problem = check(model)) {
      return broken(*problem);
    }
  }
  return std::nullopt;
}

// Names, flags and per-track arrays derived from the validated records.
void completeModel(Model& model) {
  for (MorphListEntry& entry : model.morphList) {
    entry.name = model.morphs[entry.morphIndex].name;
  }
  for (BoneListEntry& entry : model.boneList) {
    entry.name = model.bones[entry.boneIndex].name;
  }
  if (!model.morphs.empty()) {
    for (const MorphVertex& vertex : model.morphs[0].vertices) {
      model.baseMorphRest.push_back(vertex.position);
    }
  }
  const std::size_t boneCount = model.bones.size();
  const std::size_t morphCount = model.morphs.size();
  model.boneKeyCursors.assign(boneCount, 0);
  model.boneTrackActive.assign(boneCount, 0);
  model.morphKeyCursors.assign(morphCount, 0);
  model.morphTrackActive.assign(morphCount, 0);
  model.boneSelected.assign(boneCount, 0);
  model.boneSelected[0] = 1;
  model.boneMoved.assign(boneCount, 0);
  model.boneWork.assign(boneCount, 0);
  model.morphWork.assign(morphCount, 0);
  [[maybe_unused]] const bool poolsCreated = createModelKeyPools(model);
  assert(poolsCreated && "the morph count is checked before the pools are made");
  model.visible = true;
}

}  // namespace

std::optional<ModelLoadFailure> parseModel(std::string_view bytes, Model& model) {
  if (bytes.substr(0, 3) != "Tsm") {
    return failure(std::string(kNotAModel));
  }
  ByteCursor in(bytes);
  in.take(3);
  in.f32();  // format version, not checked
  model.name = readText(in, kModelNameSize);
  model.comment = readText(in, kModelCommentSize);
  readVertices(in, model);
  readIndices(in, model);
  readMaterials(in, model);
  readBones(in, model);
  readIkChains(in, model);
  readMorphs(in, model);
  readMorphList(in, model);
  const std::uint16_t groupShift = readGroupNames(in, model);
  readBoneList(in, model, groupShift);
  if (in.truncated()) {
    return broken("ファイルが途中で終わっています");
  }
  if (auto problem = validate(model)) {
    return problem;
  }
  completeModel(model);
  return std::nullopt;
}

std::optional<ModelLoadFailure> readModelFile(std::filesystem::path& path,
                                              const std::filesystem::path& exeDirectory, Model& model) {
  std::filesystem::path opened = port::resolveCaseInsensitive(path);
  int error = 0;
  std::optional<std::string> bytes = port::readWholeFile(opened, error);
  if (!bytes) {
    if (const auto fallback = port::userFileFallback(path, exeDirectory, "Model", ".tsm")) {
      opened = *fallback;
      bytes = port::readWholeFile(opened, error);
    }
  }
  if (!bytes) {
    return failure("ファイルが読み込めません:" + std::to_string(error));
  }
  if (auto problem = parseModel(*bytes, model)) {
    return problem;
  }
  model.filePath = opened;
  path = opened;
  return std::nullopt;
}

}  // namespace zv
