#include "scene/document/model_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "port/text.h"
#include "support/model_builder.h"
#include "support/temp_folder.h"

namespace zv {
namespace {

using test::TsmModel;

std::string cp932(std::string_view utf8) {
  return port::utf8ToCp932(utf8);
}

std::optional<ModelLoadFailure> parse(const TsmModel& description, Model& model) {
  return parseModel(test::tsmBytes(description), model);
}

ModelLoadFailure brokenFailure(std::string_view detail) {
  return {"このモデルファイルは壊れています(" + std::string(detail) + ")", "ファイル読込"};
}

TEST(ModelReader, ReadsEveryRecordOfTheSampleModel) {
  Model model;
  ASSERT_EQ(parse(test::sampleModel(), model), std::nullopt);

  EXPECT_EQ(model.name, cp932("テストモデル"));
  EXPECT_EQ(model.comment, cp932("テスト用のモデル"));
  ASSERT_EQ(model.sourceVertices.size(), 6u);
  ASSERT_EQ(model.modelVertices.size(), 6u);
  ASSERT_EQ(model.edgeVertices.size(), 6u);
  const SourceVertex& blended = model.sourceVertices[4];
  EXPECT_EQ(blended.position, (Vec3{1, 4, 0}));
  EXPECT_EQ(blended.normal, (Vec3{0, 0, -1}));
  EXPECT_EQ(blended.firstBone, 1);
  EXPECT_EQ(blended.secondBone, 2);
  EXPECT_EQ(blended.firstBoneWeight, 50);
  for (const EdgeVertex& edge : model.edgeVertices) {
    EXPECT_EQ(edge.diffuse, 0xFF000000u);
    EXPECT_EQ(edge.specular, 0u);
  }
  EXPECT_EQ(model.indices, (std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5}));

  ASSERT_EQ(model.materials.size(), 1u);
  const Material& material = model.materials[0];
  EXPECT_EQ(material.diffuse, (ColourRgba{0.8f, 0.8f, 0.8f, 1.0f}));
  EXPECT_EQ(material.ambient, material.diffuse);
  EXPECT_EQ(material.specular, (ColourRgba{0.1f, 0.1f, 0.1f, 0}));
  EXPECT_EQ(material.emissive, (ColourRgba{0.4f, 0.4f, 0.4f, 0}));
  EXPECT_EQ(material.power, 5.0f);
  EXPECT_EQ(material.textureName, "skin.bmp");
  EXPECT_EQ(material.indexCount, 6u);
  EXPECT_EQ(material.toonIndex, 1);
  EXPECT_TRUE(material.edge);

  ASSERT_EQ(model.bones.size(), 6u);
  const Bone& twist = model.bones[5];
  EXPECT_EQ(twist.name, cp932("左足捩"));
  EXPECT_EQ(twist.parent, 1);
  EXPECT_EQ(twist.type, kBoneTypeLinked);
  EXPECT_EQ(twist.linkedBone, 1);
  EXPECT_EQ(twist.head, (Vec3{1, 6, 0}));
  EXPECT_EQ(model.bones[0].parent, -1);
  EXPECT_EQ(model.bones[1].tail, 2);
  for (const Bone& bone : model.bones) {
    EXPECT_EQ(bone.keyRotation, Quat{});
    EXPECT_EQ(bone.ikRotation, Quat{});
    EXPECT_EQ(bone.parentRotation, Mat4{});
    EXPECT_EQ(bone.keyTranslation, Vec3{});
  }

  ASSERT_EQ(model.ikChains.size(), 1u);
  EXPECT_EQ(model.ikChains[0].ikBone, 4);
  EXPECT_EQ(model.ikChains[0].effector, 3);
  EXPECT_EQ(model.ikChains[0].chainBones, (std::vector<std::uint16_t>{2, 1}));
  EXPECT_EQ(model.ikChains[0].iterations, 15);
  EXPECT_EQ(model.ikChains[0].angleWeight, 0.5f);
  EXPECT_TRUE(model.ikChains[0].enabled);

  ASSERT_EQ(model.morphs.size(), 5u);
  EXPECT_EQ(model.morphs[2].name, cp932("まばたき"));
  EXPECT_EQ(model.morphs[2].category, 2);
  EXPECT_EQ(model.morphs[2].weight, 0.0f);
  EXPECT_EQ(model.morphs[2].vertices[1].index, 1u);
  EXPECT_EQ(model.morphs[2].vertices[1].position, (Vec3{0, -0.1f, 0}));
  EXPECT_EQ(model.baseMorphRest, (std::vector<Vec3>{{0, 8, 0}, {1, 8, 0}, {0, 9, 0}}));

  ASSERT_EQ(model.morphList.size(), 4u);
  EXPECT_EQ(model.morphList[3].name, cp932("照れ"));
  EXPECT_EQ(model.morphList[3].morphIndex, 4);
  EXPECT_EQ(model.morphList[3].shown, 1);

  EXPECT_TRUE(model.visible);
  EXPECT_EQ(model.boneSelected, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(model.boneMoved, std::vector<std::uint8_t>(6, 0));
  EXPECT_EQ(model.boneKeyCursors.size(), 6u);
  EXPECT_EQ(model.morphTrackActive.size(), 5u);
  EXPECT_EQ(model.boneWork.size(), 6u);
  EXPECT_EQ(model.morphWork.size(), 5u);
  EXPECT_EQ(model.selectedBone, 0);

  EXPECT_EQ(model.boneKeyPool.headCount(), 6u);
  EXPECT_EQ(model.boneKeyPool[5], BoneKey{});
  EXPECT_EQ(model.morphKeyPool.headCount(), 5u);
  EXPECT_EQ(model.displayIkKeyPool.headCount(), 1u);
  EXPECT_EQ(model.displayIkKeyPool[0].ikEnabled, std::vector<bool>{true});
  EXPECT_TRUE(model.displayIkKeyPool[999].visible);
  EXPECT_EQ(model.displayIkKeyPool[999].ikEnabled, std::vector<bool>{true});
}

std::vector<std::string> groupNames(const Model& model) {
  std::vector<std::string> names;
  for (const GroupName& group : model.groupNames) {
    EXPECT_FALSE(group.open);
    names.push_back(port::cp932ToUtf8(group.name));
  }
  return names;
}

TEST(ModelReader, GroupNamesLeadWithTheReadersOwnAndBoneListGroupsShift) {
  Model withMorphList;
  ASSERT_EQ(parse(test::sampleModel(), withMorphList), std::nullopt);
  EXPECT_EQ(groupNames(withMorphList), (std::vector<std::string>{"センター", "表示･IK", "表情", "体", "足"}));
  EXPECT_EQ(withMorphList.boneList[0].group, 4);  // file group 2 ("足")
  EXPECT_EQ(withMorphList.boneList[4].group, 3);
  EXPECT_EQ(withMorphList.boneList[4].name, cp932("左足捩"));
  EXPECT_EQ(withMorphList.boneList[4].boneIndex, 5);

  TsmModel description = test::sampleModel();
  description.morphList.clear();
  Model withoutMorphList;
  ASSERT_EQ(parse(description, withoutMorphList), std::nullopt);
  EXPECT_EQ(groupNames(withoutMorphList), (std::vector<std::string>{"センター", "表示･IK", "体", "足"}));
  EXPECT_EQ(withoutMorphList.boneList[0].group, 3);
  EXPECT_EQ(withoutMorphList.boneList[4].group, 2);

  description.morphs.clear();
  Model withoutMorphs;
  ASSERT_EQ(parse(description, withoutMorphs), std::nullopt);
  EXPECT_EQ(groupNames(withoutMorphs).size(), 4u);
  EXPECT_TRUE(withoutMorphs.baseMorphRest.empty());
}

TEST(ModelReader, TwoHundredFiftyFiveGroupsKeepDistinctShiftedNumbers) {
  TsmModel description = test::sampleModel();
  description.groups.assign(255, "枠");
  description.boneList = {{1, 255}, {2, 254}, {3, 1}};
  Model model;
  ASSERT_EQ(parse(description, model), std::nullopt);
  EXPECT_EQ(model.groupNames.size(), 258u);
  EXPECT_EQ(model.boneList[0].group, 257);
  EXPECT_EQ(model.boneList[1].group, 256);
  EXPECT_EQ(model.boneList[2].group, 3);
}

TEST(ModelReader, FormatQuirksAreAccepted) {
  TsmModel description = test::sampleModel();
  description.version = std::numeric_limits<float>::quiet_NaN();  // never checked
  description.trailing = std::string(1000, '\xEE');               // extension data after the bone list
  description.vertices[0].weight = 0;
  description.vertices[1].weight = 250;  // clamped to 100 so the second bone never gets a negative share
  // Parent after its child: accepted and posed in index order.
  description.bones[0].parent = 4;
  description.bones[4].parent = -1;
  Model model;
  ASSERT_EQ(parse(description, model), std::nullopt);
  EXPECT_EQ(model.sourceVertices[0].firstBoneWeight, 0);
  EXPECT_EQ(model.sourceVertices[1].firstBoneWeight, 100);
  EXPECT_EQ(model.sourceVertices[2].firstBoneWeight, 100);
  EXPECT_EQ(model.bones[0].parent, 4);

  Model plain;
  ASSERT_EQ(parse(test::sampleModel(), plain), std::nullopt);
  EXPECT_EQ(model.morphs.size(), plain.morphs.size());
  EXPECT_EQ(model.boneList.size(), plain.boneList.size());
}

TEST(ModelReader, ModelWithoutVerticesLoads) {
  TsmModel description;
  description.addBone("センター", -1, {});
  Model model;
  ASSERT_EQ(parse(description, model), std::nullopt);
  EXPECT_TRUE(model.sourceVertices.empty());
  EXPECT_TRUE(model.modelVertices.empty());
  EXPECT_TRUE(model.edgeVertices.empty());
}

TEST(ModelReader, NamesThatFillTheirFieldsAreKeptWhole) {
  TsmModel description = test::sampleModel();
  description.name = "ＡＢＣＤＥＦＧＨＩＪＫ";  // 22 bytes: cut to the 20-byte field, no terminator
  description.bones[1].name = "01234567890123456789";
  description.morphs[1].name = "abcdefghijabcdefghij";
  description.materials[0].texture = "long_texture_name.bm";
  Model model;
  ASSERT_EQ(parse(description, model), std::nullopt);
  EXPECT_EQ(model.name, cp932("ＡＢＣＤＥＦＧＨＩＪ"));
  EXPECT_EQ(model.bones[1].name, "01234567890123456789");
  EXPECT_EQ(model.boneList[0].name, "01234567890123456789");
  EXPECT_EQ(model.morphList[0].name, "abcdefghijabcdefghij");
  EXPECT_EQ(model.materials[0].textureName, "long_texture_name.bm");
}

TEST(ModelReader, WrongMagicIsRefusedWhateverFollows) {
  const ModelLoadFailure notAModel{"このファイルはTessera Scene Forge用モデルファイルではありません",
                                   "ファイル読込"};
  for (const std::string magic : {"tsm", "TSM", "Tsn", "Pmd"}) {
    TsmModel description = test::sampleModel();
    description.magic = magic;
    Model model;
    EXPECT_EQ(parse(description, model), notAModel) << magic;
  }
  for (const std::string bytes : {"", "T", "Ts", "XYZ\x01"}) {
    Model model;
    EXPECT_EQ(parseModel(bytes, model), notAModel);
  }
}

TEST(ModelReader, EveryTruncationIsRefused) {
  const std::string whole = test::tsmBytes(test::sampleModel());
  for (std::size_t size = 3; size < whole.size(); ++size) {
    Model model;
    EXPECT_EQ(parseModel(std::string_view(whole).substr(0, size), model),
              brokenFailure("ファイルが途中で終わっています"))
        << "cut at " << size;
  }
}

TEST(ModelReader, HugeCountsAreRefusedBeforeAllocating) {
  const std::string whole = test::tsmBytes(test::sampleModel());
  std::string patched = whole;
  patched.replace(test::kTsmVertexCountOffset, 4, "\xFF\xFF\xFF\xFF");
  Model model;
  EXPECT_EQ(parseModel(patched, model), brokenFailure("ファイルが途中で終わっています"));
  EXPECT_TRUE(model.sourceVertices.empty());
}

struct Corruption {
  const char* what;
  std::function<void(TsmModel&)> apply;
  const char* detail;
};

TEST(ModelReader, EveryOutOfRangeIndexIsRefused) {
  const std::vector<Corruption> corruptions = {
      {"vertex first bone", [](TsmModel& m) { m.vertices[2].firstBone = 6; }, "頂点のボーン番号が範囲外です"},
      {"vertex second bone", [](TsmModel& m) { m.vertices[5].secondBone = 0xFFFF; },
       "頂点のボーン番号が範囲外です"},
      {"index value", [](TsmModel& m) { m.indices[3] = 6; }, "面の頂点番号が範囲外です"},
      {"material run", [](TsmModel& m) { m.materials[0].indexCount = 7; },
       "材質の面数が面の数を超えています"},
      {"material runs together",
       [](TsmModel& m) {
         m.materials.push_back(m.materials[0]);
         m.materials[1].indexCount = 1;
       },
       "材質の面数が面の数を超えています"},
      {"parent", [](TsmModel& m) { m.bones[3].parent = 6; }, "親ボーン番号が範囲外です"},
      {"negative parent", [](TsmModel& m) { m.bones[3].parent = -2; }, "親ボーン番号が範囲外です"},
      {"tail", [](TsmModel& m) { m.bones[1].tail = 6; }, "先ボーン番号が範囲外です"},
      {"linked", [](TsmModel& m) { m.bones[5].linked = 0xFFFF; }, "連動ボーン番号が範囲外です"},
      {"IK bone", [](TsmModel& m) { m.ikChains[0].ikBone = 6; }, "IKのボーン番号が範囲外です"},
      {"IK effector", [](TsmModel& m) { m.ikChains[0].effector = 60; }, "IKのボーン番号が範囲外です"},
      {"IK chain bone", [](TsmModel& m) { m.ikChains[0].chain[1] = 6; }, "IKのボーン番号が範囲外です"},
      {"base morph vertex", [](TsmModel& m) { m.morphs[0].vertices[2].index = 6; },
       "表情の頂点番号が範囲外です"},
      {"morph entry", [](TsmModel& m) { m.morphs[3].vertices[0].index = 3; }, "表情の頂点番号が範囲外です"},
      {"morph list", [](TsmModel& m) { m.morphList[1] = 5; }, "表情枠の表情番号が範囲外です"},
      {"bone list bone", [](TsmModel& m) { m.boneList[2].bone = 6; }, "ボーン枠のボーン番号が範囲外です"},
      {"bone list group", [](TsmModel& m) { m.boneList[2].group = 3; }, "ボーン枠の枠番号が範囲外です"},
      {"bone list group zero", [](TsmModel& m) { m.boneList[2].group = 0; }, "ボーン枠の枠番号が範囲外です"},
  };
  for (const Corruption& corruption : corruptions) {
    TsmModel description = test::sampleModel();
    corruption.apply(description);
    Model model;
    EXPECT_EQ(parse(description, model), brokenFailure(corruption.detail)) << corruption.what;
  }
}

TEST(ModelReader, ModelsWithoutBonesOrWithTooManyMorphsAreRefused) {
  TsmModel boneless;
  Model model;
  EXPECT_EQ(parse(boneless, model), (ModelLoadFailure{"ボーンのないモデルは読み込めません", "ファイル読込"}));

  TsmModel crowded = test::minimalModel();
  crowded.morphs.push_back({"base", 0, {}});
  crowded.morphs.resize(kMaxModelMorphs, {"m", 1, {}});
  Model most;
  EXPECT_EQ(parse(crowded, most), std::nullopt);
  EXPECT_EQ(most.morphs.size(), 19'999u);

  crowded.morphs.push_back({"m", 1, {}});
  Model tooMany;
  EXPECT_EQ(parse(crowded, tooMany),
            (ModelLoadFailure{"表情が20000個以上あるモデルは読み込めません", "ファイル読込"}));
}

TEST(ModelFile, MissingFileReportsTheOpenError) {
  test::TempFolder folder;
  std::filesystem::path path = folder / "nothing.pmx";
  Model model;
  EXPECT_EQ(readModelFile(path, folder.path(), model),
            (ModelLoadFailure{"ファイルが読み込めません:2", "ファイル読込"}));
  EXPECT_EQ(path, folder / "nothing.pmx");
}

TEST(ModelFile, MovedModelIsFoundUnderTheProgramsModelFolder) {
  test::TempFolder folder;
  const std::filesystem::path exeDirectory = folder / "program";
  std::filesystem::create_directories(exeDirectory / "UserFile" / "Model");
  const std::filesystem::path moved = exeDirectory / "UserFile" / "Model" / "ソ.tsm";
  test::writeFile(moved, test::tsmBytes(test::sampleModel()));

  std::filesystem::path path = folder / "elsewhere" / "ソ.tsm";
  Model model;
  ASSERT_EQ(readModelFile(path, exeDirectory, model), std::nullopt);
  EXPECT_EQ(path, moved);
  EXPECT_EQ(model.filePath, moved);
  EXPECT_EQ(model.bones.size(), 6u);

  std::filesystem::path upperCase = folder / "gone" / "ソ.TSM";
  Model again;
  ASSERT_EQ(readModelFile(upperCase, exeDirectory, again), std::nullopt);
  EXPECT_EQ(again.filePath, exeDirectory / "UserFile" / "Model" / "ソ.tsm");
}

TEST(ModelFile, FallbackNeedsAModelExtensionAndAFittingPath) {
  test::TempFolder folder;
  const std::filesystem::path modelFolder = folder / "UserFile" / "Model";
  std::filesystem::create_directories(modelFolder);
  test::writeFile(modelFolder / "a.pmd", test::tsmBytes(test::minimalModel()));
  std::filesystem::path otherExtension = folder / "elsewhere" / "a.pmd";
  Model model;
  EXPECT_EQ(readModelFile(otherExtension, folder.path(), model)->message, "ファイルが読み込めません:2");

  // A fall-back path beyond the 255 bytes a stored path can hold counts as not found.
  const std::string longName = std::string(240, 'x') + ".tsm";
  test::writeFile(modelFolder / longName, test::tsmBytes(test::minimalModel()));
  std::filesystem::path tooLong = folder / "elsewhere" / longName;
  Model unreachable;
  EXPECT_EQ(readModelFile(tooLong, folder.path(), unreachable)->message, "ファイルが読み込めません:2");
  EXPECT_EQ(tooLong, folder / "elsewhere" / longName);
}

}  // namespace
}  // namespace zv
