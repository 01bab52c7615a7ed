#include "model_builder.h"

namespace zv::test {

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
  ModelFile file = model;
  convertModelTextsFromUtf8(file);
  return encodeModelFile(file).value();
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
