#include "files/model/model_file_writer.h"

#include <gtest/gtest.h>

#include <functional>

#include "port/text.h"
#include "scene/document/model_reader.h"
#include "support/temp_folder.h"

namespace zv {
namespace {

std::string cp932(std::string_view utf8) {
  return port::utf8ToCp932(utf8);
}

// Every field holds a value unlike its default and unlike its neighbours, so a swapped or
// misplaced field shows up after reading back.
ModelFile distinctModel() {
  ModelFile file;
  file.name = cp932("ＡＢＣＤＥＦＧＨＩＪ");  // exactly the 20-byte field: no terminator
  file.comment = cp932("往復の確認\r\n二行目");
  file.vertices = {
      {{1, 2, 3}, {0, 0, -1}, 0.25f, 0.75f, 0, 1, 60, 1},
      {{4, 5, 6}, {0, 1, 0}, 0.5f, 0.125f, 1, 2, 100, 0},
      {{7, 8, 9}, {1, 0, 0}, 1.0f, 0.0f, 2, 0, 0, 2},
  };
  file.indices = {0, 1, 2, 2, 1, 0};
  file.materials = {
      {{0.1f, 0.2f, 0.3f}, 0.4f, 12.5f, {0.5f, 0.6f, 0.7f}, {0.8f, 0.9f, 0.15f}, 3, 0, 3, "a.bmp"},
      {{0.9f, 0.8f, 0.7f}, 1.0f, 1.5f, {0.6f, 0.5f, 0.4f}, {0.3f, 0.2f, 0.1f}, -1, 1, 3, cp932("布.tga")},
  };
  file.bones = {
      {cp932("センター"), -1, 1, 1, 0, {0, 8, 0}},
      {cp932("左足"), 0, 2, 4, 0, {1, 8, 0}},
      {cp932("左ひざ"), 1, 0, 5, 1, {1, 4, 0}},
  };
  file.ikChains = {{0, 2, {1}, 40, 0.25f}};
  file.morphs = {
      {"base", 0, {{0, {1, 2, 3}}, {2, {7, 8, 9}}}},
      {cp932("まばたき"), 2, {{1, {0, -0.5f, 0}}}},
      {cp932("あ"), 3, {{0, {0.25f, 0, 0}}, {1, {0, 0, -0.125f}}}},
  };
  file.morphList = {2, 1};
  file.groups = {cp932("体"), cp932("足")};
  file.boneList = {{1, 2}, {2, 1}};
  return file;
}

std::size_t expectedSize(const ModelFile& file) {
  std::size_t size = kModelHeaderBytes + 38 * file.vertices.size() + 4 + 2 * file.indices.size() + 4 +
                     70 * file.materials.size() + 2 + 39 * file.bones.size() + 2;
  for (const ModelFileIk& ik : file.ikChains) {
    size += 11 + 2 * ik.chain.size();
  }
  size += 2;
  for (const ModelFileMorph& morph : file.morphs) {
    size += 25 + 16 * morph.vertices.size();
  }
  return size + 1 + 2 * file.morphList.size() + 1 + 50 * file.groups.size() + 4 + 3 * file.boneList.size() +
         file.trailing.size();
}

Model parsed(const ModelFile& file) {
  Model model;
  const std::optional<std::string> bytes = encodeModelFile(file);
  EXPECT_TRUE(bytes.has_value());
  EXPECT_EQ(parseModel(bytes.value_or(""), model), std::nullopt);
  return model;
}

TEST(ModelFileWriter, EveryRecordReadsBackAsWritten) {
  const ModelFile file = distinctModel();
  const Model model = parsed(file);

  EXPECT_EQ(model.name, file.name);
  EXPECT_EQ(model.comment, file.comment);
  ASSERT_EQ(model.sourceVertices.size(), file.vertices.size());
  for (std::size_t i = 0; i < file.vertices.size(); ++i) {
    const ModelFileVertex& written = file.vertices[i];
    const SourceVertex& read = model.sourceVertices[i];
    EXPECT_EQ(read.position, written.position);
    EXPECT_EQ(read.normal, written.normal);
    EXPECT_EQ(model.modelVertices[i].u, written.u);
    EXPECT_EQ(model.modelVertices[i].v, written.v);
    EXPECT_EQ(read.firstBone, written.firstBone);
    EXPECT_EQ(read.secondBone, written.secondBone);
    EXPECT_EQ(read.firstBoneWeight, written.weight);
    EXPECT_EQ(read.noEdge, written.noEdge != 0);
  }
  EXPECT_EQ(model.indices, file.indices);

  ASSERT_EQ(model.materials.size(), file.materials.size());
  for (std::size_t i = 0; i < file.materials.size(); ++i) {
    const ModelFileMaterial& written = file.materials[i];
    const Material& read = model.materials[i];
    EXPECT_EQ(read.diffuse,
              (ColourRgba{written.diffuse.x, written.diffuse.y, written.diffuse.z, written.alpha}));
    EXPECT_EQ(read.specular, (ColourRgba{written.specular.x, written.specular.y, written.specular.z, 0}));
    EXPECT_EQ(read.emissive, (ColourRgba{written.ambient.x, written.ambient.y, written.ambient.z, 0}));
    EXPECT_EQ(read.power, written.power);
    EXPECT_EQ(read.toonIndex, written.toon);
    EXPECT_EQ(read.edge, written.edge != 0);
    EXPECT_EQ(read.indexCount, written.indexCount);
    EXPECT_EQ(read.textureName, written.texture);
  }

  ASSERT_EQ(model.bones.size(), file.bones.size());
  for (std::size_t i = 0; i < file.bones.size(); ++i) {
    const ModelFileBone& written = file.bones[i];
    const Bone& read = model.bones[i];
    EXPECT_EQ(read.name, written.name);
    EXPECT_EQ(read.parent, written.parent);
    EXPECT_EQ(read.tail, written.tail);
    EXPECT_EQ(read.type, written.type);
    EXPECT_EQ(read.linkedBone, written.linked);
    EXPECT_EQ(read.head, written.head);
  }
  ASSERT_EQ(model.ikChains.size(), 1u);
  EXPECT_EQ(model.ikChains[0].ikBone, 0);
  EXPECT_EQ(model.ikChains[0].effector, 2);
  EXPECT_EQ(model.ikChains[0].chainBones, (std::vector<std::uint16_t>{1}));
  EXPECT_EQ(model.ikChains[0].iterations, 40);
  EXPECT_EQ(model.ikChains[0].angleWeight, 0.25f);

  ASSERT_EQ(model.morphs.size(), file.morphs.size());
  for (std::size_t i = 0; i < file.morphs.size(); ++i) {
    EXPECT_EQ(model.morphs[i].name, file.morphs[i].name);
    EXPECT_EQ(model.morphs[i].category, file.morphs[i].category);
    ASSERT_EQ(model.morphs[i].vertices.size(), file.morphs[i].vertices.size());
    for (std::size_t v = 0; v < file.morphs[i].vertices.size(); ++v) {
      EXPECT_EQ(model.morphs[i].vertices[v].index, file.morphs[i].vertices[v].index);
      EXPECT_EQ(model.morphs[i].vertices[v].position, file.morphs[i].vertices[v].position);
    }
  }
  ASSERT_EQ(model.morphList.size(), 2u);
  EXPECT_EQ(model.morphList[0].morphIndex, 2);
  EXPECT_EQ(model.morphList[1].morphIndex, 1);

  // The reader puts its own three groups (bone 0, display and IK, expressions) first.
  ASSERT_EQ(model.groupNames.size(), 5u);
  EXPECT_EQ(model.groupNames[3].name, file.groups[0]);
  EXPECT_EQ(model.groupNames[4].name, file.groups[1]);
  ASSERT_EQ(model.boneList.size(), 2u);
  EXPECT_EQ(model.boneList[0].boneIndex, 1);
  EXPECT_EQ(model.boneList[0].group, 4);
  EXPECT_EQ(model.boneList[1].boneIndex, 2);
  EXPECT_EQ(model.boneList[1].group, 3);
}

TEST(ModelFileWriter, RecordsArePackedWithoutPadding) {
  ModelFile file = distinctModel();
  file.trailing = "extension";
  const std::string bytes = encodeModelFile(file).value();
  ASSERT_EQ(bytes.size(), expectedSize(file));
  EXPECT_EQ(bytes.substr(0, 3), "Tsm");
  EXPECT_EQ(bytes.substr(3, 4), std::string("\x00\x00\x80\x3F", 4));  // 1.0f
  EXPECT_EQ(bytes.substr(7, 20), file.name);                          // the field holds no NUL
  EXPECT_EQ(bytes.substr(27, file.comment.size()), file.comment);
  EXPECT_EQ(bytes.substr(kModelVertexCountOffset, 4), std::string("\x03\x00\x00\x00", 4));
  // The first vertex's bone indices, weight and edge flag close its 38-byte record.
  EXPECT_EQ(bytes.substr(kModelHeaderBytes + 32, 6), std::string("\x00\x00\x01\x00\x3C\x01", 6));
  EXPECT_TRUE(bytes.ends_with("extension"));
}

TEST(ModelFileWriter, TextsAreCutToWholeCharactersAndPadded) {
  ModelFile file = distinctModel();
  file.name = "a" + cp932("ＡＢＣＤＥＦＧＨＩＪ");  // 21 bytes: the last character does not fit
  file.bones[0].name = "short";
  file.groups[0] = std::string(60, 'g');
  const std::string bytes = encodeModelFile(file).value();
  EXPECT_EQ(bytes.size(), expectedSize(file));
  EXPECT_EQ(bytes.substr(7, 20), "a" + cp932("ＡＢＣＤＥＦＧＨＩ") + std::string(1, '\0'));

  const Model model = parsed(file);
  EXPECT_EQ(model.name, "a" + cp932("ＡＢＣＤＥＦＧＨＩ"));
  EXPECT_EQ(model.bones[0].name, "short");
  EXPECT_EQ(model.groupNames[3].name, std::string(50, 'g'));
}

TEST(ModelFileWriter, Utf8DescriptionsAreWrittenAsCp932) {
  ModelFile file = distinctModel();
  file.name = "テセラ";
  file.comment = "コメント";
  file.materials[1].texture = "布.tga";
  file.bones[1].name = "左足";
  file.morphs[1].name = "まばたき";
  file.groups[1] = "足";
  convertModelTextsFromUtf8(file);
  const Model model = parsed(file);
  EXPECT_EQ(model.name, cp932("テセラ"));
  EXPECT_EQ(model.comment, cp932("コメント"));
  EXPECT_EQ(model.materials[1].textureName, cp932("布.tga"));
  EXPECT_EQ(model.bones[1].name, cp932("左足"));
  EXPECT_EQ(model.morphs[1].name, cp932("まばたき"));
  EXPECT_EQ(model.groupNames[4].name, cp932("足"));
}

TEST(ModelFileWriter, ListsLongerThanTheirCountFieldAreRefused) {
  const std::vector<std::pair<std::string, std::function<void(ModelFile&)>>> cases = {
      {"bones", [](ModelFile& f) { f.bones.resize(65536); }},
      {"IK chain bones", [](ModelFile& f) { f.ikChains[0].chain.resize(256); }},
      {"morphs", [](ModelFile& f) { f.morphs.resize(65536); }},
      {"morph list", [](ModelFile& f) { f.morphList.resize(256); }},
      {"bone groups", [](ModelFile& f) { f.groups.resize(256); }},
  };
  for (const auto& [list, grow] : cases) {
    ModelFile file = distinctModel();
    grow(file);
    EXPECT_EQ(oversizedModelList(file), list);
    EXPECT_EQ(encodeModelFile(file), std::nullopt) << list;
  }
  ModelFile largest = distinctModel();
  largest.groups.resize(255);
  largest.morphList.resize(255);
  EXPECT_EQ(oversizedModelList(largest), std::nullopt);
}

TEST(ModelFileWriter, WritesTheWholeFileOrLeavesTheOldOne) {
  test::TempFolder folder;
  const std::filesystem::path path = folder / "model.tsm";
  ASSERT_TRUE(writeModelFile(path, distinctModel()));
  EXPECT_EQ(test::readFile(path), encodeModelFile(distinctModel()).value());

  ModelFile oversized = distinctModel();
  oversized.groups.resize(256);
  EXPECT_FALSE(writeModelFile(path, oversized));
  EXPECT_EQ(test::readFile(path), encodeModelFile(distinctModel()).value());
  EXPECT_FALSE(writeModelFile(folder / "missing" / "model.tsm", distinctModel()));
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace zv
