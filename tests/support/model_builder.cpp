#include "model_builder.h"

#include <bit>

#include "port/text.h"

namespace zv::test {
namespace {

class ByteWriter {
 public:
  void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void u16(std::uint16_t value) { littleEndian(value, 2); }
  void u32(std::uint32_t value) { littleEndian(value, 4); }
  void f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }
  void vec3(Vec3 v) {
    f32(v.x);
    f32(v.y);
    f32(v.z);
  }
  // UTF-8 text as a zero-padded CP932 field of `width` bytes.
  void text(const std::string& utf8, std::size_t width) {
    std::string field = port::utf8ToCp932(utf8).substr(0, width);
    field.resize(width, '\0');
    bytes_ += field;
  }
  void raw(const std::string& bytes) { bytes_ += bytes; }
  std::string take() { return std::move(bytes_); }

 private:
  void littleEndian(std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
      u8(static_cast<std::uint8_t>(value >> (8 * i)));
    }
  }
  std::string bytes_;
};

void writeGeometry(ByteWriter& out, const TsmModel& model) {
  out.u32(static_cast<std::uint32_t>(model.vertices.size()));
  for (const TsmVertex& v : model.vertices) {
    out.vec3(v.position);
    out.vec3(v.normal);
    out.f32(v.u);
    out.f32(v.v);
    out.u16(v.firstBone);
    out.u16(v.secondBone);
    out.u8(v.weight);
    out.u8(v.noEdge);
  }
  out.u32(static_cast<std::uint32_t>(model.indices.size()));
  for (std::uint16_t index : model.indices) {
    out.u16(index);
  }
  out.u32(static_cast<std::uint32_t>(model.materials.size()));
  for (const TsmMaterial& m : model.materials) {
    out.vec3(m.diffuse);
    out.f32(m.alpha);
    out.f32(m.power);
    out.vec3(m.specular);
    out.vec3(m.ambient);
    out.u8(static_cast<std::uint8_t>(m.toon));
    out.u8(m.edge);
    out.u32(m.indexCount);
    out.text(m.texture, 20);
  }
}

void writeSkeleton(ByteWriter& out, const TsmModel& model) {
  out.u16(static_cast<std::uint16_t>(model.bones.size()));
  for (const TsmBone& b : model.bones) {
    out.text(b.name, 20);
    out.u16(static_cast<std::uint16_t>(b.parent));
    out.u16(b.tail);
    out.u8(b.type);
    out.u16(b.linked);
    out.vec3(b.head);
  }
  out.u16(static_cast<std::uint16_t>(model.ikChains.size()));
  for (const TsmIk& ik : model.ikChains) {
    out.u16(ik.ikBone);
    out.u16(ik.effector);
    out.u8(static_cast<std::uint8_t>(ik.chain.size()));
    out.u16(ik.iterations);
    out.f32(ik.angleWeight);
    for (std::uint16_t bone : ik.chain) {
      out.u16(bone);
    }
  }
}

void writeMorphsAndLists(ByteWriter& out, const TsmModel& model) {
  out.u16(static_cast<std::uint16_t>(model.morphs.size()));
  for (const TsmMorph& m : model.morphs) {
    out.text(m.name, 20);
    out.u32(static_cast<std::uint32_t>(m.vertices.size()));
    out.u8(m.category);
    for (const TsmMorphVertex& v : m.vertices) {
      out.u32(v.index);
      out.vec3(v.position);
    }
  }
  out.u8(static_cast<std::uint8_t>(model.morphList.size()));
  for (std::uint16_t index : model.morphList) {
    out.u16(index);
  }
  out.u8(static_cast<std::uint8_t>(model.groups.size()));
  for (const std::string& group : model.groups) {
    out.text(group, 50);
  }
  out.u32(static_cast<std::uint32_t>(model.boneList.size()));
  for (const TsmBoneListEntry& entry : model.boneList) {
    out.u16(entry.bone);
    out.u8(entry.group);
  }
}

}  // namespace

std::uint16_t TsmModel::addBone(const std::string& boneName, std::int16_t parent, Vec3 head,
                                std::uint8_t type) {
  const auto index = static_cast<std::uint16_t>(bones.size());
  bones.push_back({boneName, parent, index, type, 0, head});
  return index;
}

void TsmModel::addTriangle(Vec3 a, Vec3 b, Vec3 c, std::uint16_t bone) {
  if (materials.empty()) {
    materials.emplace_back();
  }
  for (Vec3 corner : {a, b, c}) {
    indices.push_back(static_cast<std::uint16_t>(vertices.size()));
    TsmVertex vertex;
    vertex.position = corner;
    vertex.normal = {0, 0, -1};
    vertex.firstBone = bone;
    vertex.secondBone = bone;
    vertices.push_back(vertex);
  }
  materials.back().indexCount += 3;
}

std::string tsmBytes(const TsmModel& model) {
  ByteWriter out;
  out.raw(model.magic);
  out.f32(model.version);
  out.text(model.name, 20);
  out.text(model.comment, 256);
  writeGeometry(out, model);
  writeSkeleton(out, model);
  writeMorphsAndLists(out, model);
  out.raw(model.trailing);
  return out.take();
}

TsmModel minimalModel() {
  TsmModel model;
  model.addBone("センター", -1, {0, 8, 0});
  model.addTriangle({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
  return model;
}

TsmModel sampleModel() {
  TsmModel model;
  model.comment = "テスト用のモデル";
  const std::uint16_t centre = model.addBone("センター", -1, {0, 8, 0}, 1);
  const std::uint16_t thigh = model.addBone("左足", static_cast<std::int16_t>(centre), {1, 8, 0});
  const std::uint16_t knee = model.addBone("左ひざ", static_cast<std::int16_t>(thigh), {1, 4, 0});
  const std::uint16_t ankle = model.addBone("左足首", static_cast<std::int16_t>(knee), {1, 1, 0});
  const std::uint16_t ik = model.addBone("左足ＩＫ", static_cast<std::int16_t>(centre), {1, 1, 0}, 2);
  const std::uint16_t twist = model.addBone("左足捩", static_cast<std::int16_t>(thigh), {1, 6, 0}, 5);
  model.bones[thigh].tail = knee;
  model.bones[knee].tail = ankle;
  model.bones[twist].linked = thigh;
  model.ikChains.push_back({ik, ankle, {knee, thigh}, 15, 0.5f});

  model.addTriangle({0, 8, 0}, {1, 8, 0}, {0, 9, 0}, centre);
  model.addTriangle({1, 8, 0}, {1, 4, 0}, {2, 6, 0}, thigh);
  model.vertices[4].secondBone = knee;
  model.vertices[4].weight = 50;
  model.materials[0].texture = "skin.bmp";
  model.materials[0].toon = 1;

  model.morphs.push_back({"base", 0, {{0, {0, 8, 0}}, {1, {1, 8, 0}}, {2, {0, 9, 0}}}});
  model.morphs.push_back({"眉上", 1, {{2, {0, 0.2f, 0}}}});
  model.morphs.push_back({"まばたき", 2, {{0, {0, -0.1f, 0}}, {1, {0, -0.1f, 0}}}});
  model.morphs.push_back({"あ", 3, {{1, {0, -0.3f, 0}}}});
  model.morphs.push_back({"照れ", 4, {{0, {0.1f, 0, 0}}}});
  model.morphList = {1, 2, 3, 4};
  model.groups = {"体", "足"};
  model.boneList = {{thigh, 2}, {knee, 2}, {ankle, 2}, {ik, 2}, {twist, 1}};
  return model;
}

}  // namespace zv::test
