// The committed demo character, read from the program folder as the program reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "port/text.h"
#include "scene/document/model_reader.h"

namespace zv {
namespace {

class DemoCharacter : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::path path = "UserFile/Model/tessera.tsm";
    ASSERT_EQ(readModelFile(path, std::filesystem::current_path(), model), std::nullopt);
  }

  int boneIndex(std::string_view utf8) const {
    const std::string name = port::utf8ToCp932(utf8);
    const auto found = std::find_if(model.bones.begin(), model.bones.end(),
                                    [&](const Bone& bone) { return bone.name == name; });
    return found == model.bones.end() ? -1 : static_cast<int>(found - model.bones.begin());
  }

  Model model;
};

TEST_F(DemoCharacter, HasTheSkeletonAUserExpects) {
  EXPECT_EQ(port::cp932ToUtf8(model.name), "テセラ");
  for (const char* name : {"センター", "上半身", "首", "頭", "両目", "下半身"}) {
    EXPECT_GE(boneIndex(name), 0) << name;
  }
  for (const char* side : {"左", "右"}) {
    for (const char* part : {"肩", "腕", "ひじ", "手首", "足", "ひざ", "足首", "足ＩＫ"}) {
      EXPECT_GE(boneIndex(std::string(side) + part), 0) << side << part;
    }
  }
  EXPECT_EQ(boneIndex("センター"), 0);
  EXPECT_EQ(model.bones[0].type, kBoneTypeRotateMove);
  const Bone& leftEye = model.bones[static_cast<std::size_t>(boneIndex("左目"))];
  EXPECT_EQ(leftEye.type, kBoneTypeLinked);
  EXPECT_EQ(leftEye.linkedBone, boneIndex("両目"));
  for (std::size_t b = 0; b < model.bones.size(); ++b) {
    EXPECT_LT(model.bones[b].parent, static_cast<int>(b)) << "parents come before their children";
  }
}

TEST_F(DemoCharacter, LegsHaveKneeChains) {
  ASSERT_EQ(model.ikChains.size(), 2u);
  for (const IkChain& chain : model.ikChains) {
    const std::string side = chain.ikBone == boneIndex("左足ＩＫ") ? "左" : "右";
    EXPECT_EQ(chain.ikBone, boneIndex(side + "足ＩＫ"));
    EXPECT_EQ(chain.effector, boneIndex(side + "足首"));
    EXPECT_EQ(chain.chainBones,
              (std::vector<std::uint16_t>{static_cast<std::uint16_t>(boneIndex(side + "ひざ")),
                                          static_cast<std::uint16_t>(boneIndex(side + "足"))}));
    for (std::uint16_t joint : chain.chainBones) {
      EXPECT_EQ(model.bones[joint].type, kBoneTypeIkReset);
    }
  }
}

TEST_F(DemoCharacter, GeometryMaterialsAndTexturesFitTogether) {
  const std::size_t triangles = model.indices.size() / 3;
  EXPECT_GE(triangles, 2000u);
  EXPECT_LE(triangles, 8000u);
  std::uint32_t covered = 0;
  std::set<std::string> textures;
  for (const Material& material : model.materials) {
    covered += material.indexCount;
    EXPECT_GE(material.toonIndex, -1);
    EXPECT_LE(material.toonIndex, 9);
    if (!material.textureName.empty()) {
      textures.insert(material.textureName);
      EXPECT_TRUE(std::filesystem::exists(model.filePath.parent_path() / material.textureName));
    }
  }
  EXPECT_EQ(covered, model.indices.size());
  EXPECT_EQ(textures, (std::set<std::string>{"cloth.bmp", "eye.tga"}));
  EXPECT_TRUE(
      std::any_of(model.sourceVertices.begin(), model.sourceVertices.end(),
                  [](const SourceVertex& v) { return v.firstBoneWeight > 0 && v.firstBoneWeight < 100; }));
  EXPECT_TRUE(std::any_of(model.sourceVertices.begin(), model.sourceVertices.end(),
                          [](const SourceVertex& v) { return v.noEdge; }));
}

TEST_F(DemoCharacter, FaceMorphsFillAllFourGroups) {
  ASSERT_FALSE(model.morphs.empty());
  EXPECT_EQ(model.morphs[0].category, 0);
  std::set<int> categories;
  std::set<std::string> names;
  for (std::size_t m = 1; m < model.morphs.size(); ++m) {
    categories.insert(model.morphs[m].category);
    names.insert(port::cp932ToUtf8(model.morphs[m].name));
    EXPECT_FALSE(model.morphs[m].vertices.empty());
  }
  EXPECT_EQ(categories, (std::set<int>{1, 2, 3, 4}));
  for (const char* name : {"まばたき", "あ", "い", "う", "お"}) {
    EXPECT_TRUE(names.count(name)) << name;
  }
  EXPECT_EQ(model.morphList.size(), model.morphs.size() - 1);
  EXPECT_EQ(port::cp932ToUtf8(model.groupNames[2].name), "表情");
  EXPECT_GE(model.groupNames.size(), 5u);
  EXPECT_GE(model.boneList.size(), 10u);
}

}  // namespace
}  // namespace zv
