#include "files/motion/pose_file.h"

#include <gtest/gtest.h>

#include "port/text.h"
#include "scene/undo/undo.h"
#include "scene_with_model.h"
#include "temp_folder.h"

namespace zv {
namespace {

class PoseFile : public ::testing::Test {
 protected:
  void SetUp() override {
    test::placeModel(scene_);
    std::fill(this->model().boneSelected.begin(), this->model().boneSelected.end(), 0);
  }
  Model& model() { return *scene_.modelSlots[0]; }
  std::string boneName(int b) { return port::cp932ToUtf8(model().bones[b].name); }

  Scene scene_;
  test::TempFolder folder_;
};

TEST_F(PoseFile, SavesTheSelectedBonesInBoneOrderByteForByte) {
  model().boneSelected[3] = 1;
  model().boneSelected[1] = 1;
  model().bones[1].keyTranslation = {0.5f, 1.0f, 0.0f};
  model().bones[3].keyRotation = {0, -0.25f, 0, 0.968246f};
  std::string text = formatPoseFile(model());
  std::string expected =
      "Vocaloid Pose Data file\r\n\r\n" + model().name + ".osm;\t\t" + port::utf8ToCp932("// 親ファイル名") +
      "\r\n2;\t\t\t\t" + port::utf8ToCp932("// 総ポーズボーン数") + "\r\n\r\n" + "Bone0{" +
      model().bones[1].name + "\r\n  0.500000,1.000000,0.000000;\t\t\t\t// trans x,y,z\r\n" +
      "  0.000000,0.000000,0.000000,1.000000;\t\t// Quatanion x,y,z,w\r\n}\r\n\r\n" + "Bone1{" +
      model().bones[3].name + "\r\n  0.000000,0.000000,0.000000;\t\t\t\t// trans x,y,z\r\n" +
      "  0.000000,-0.250000,0.000000,0.968246;\t\t// Quatanion x,y,z,w\r\n}\r\n\r\n";
  EXPECT_EQ(text, expected);
}

TEST_F(PoseFile, RoundTripsEveryBoneToThePrintedPrecision) {
  for (std::size_t b = 0; b < model().bones.size(); ++b) {
    model().boneSelected[b] = 1;
    model().bones[b].keyTranslation = {0.1f * static_cast<float>(b), -2.5f, 3.125f};
    model().bones[b].keyRotation = {0.1f, 0.2f, -0.3f, 0.927362f};
  }
  ASSERT_TRUE(savePose(scene_, folder_ / "all.vpd"));
  Scene other;
  test::placeModel(other);
  ASSERT_TRUE(loadPose(other, folder_ / "all.vpd"));
  for (std::size_t b = 0; b < model().bones.size(); ++b) {
    const Bone& loaded = other.modelSlots[0]->bones[b];
    EXPECT_NEAR(loaded.keyTranslation.x, model().bones[b].keyTranslation.x, 5e-7f);
    EXPECT_NEAR(loaded.keyTranslation.y, -2.5f, 5e-7f);
    EXPECT_NEAR(loaded.keyRotation.w, 0.927362f, 5e-7f);
    EXPECT_EQ(other.modelSlots[0]->boneMoved[b], 1);
  }
}

TEST_F(PoseFile, LoadingChangesOnlyNamedBonesAddsToTheSelectionAndUndoesExactly) {
  model().boneSelected[0] = 1;
  model().bones[1].keyTranslation = {7, 7, 7};
  std::string file =
      "Vocaloid Pose Data file\n\nx.osm;\n9999999;\n\n"
      "Bone0{" +
      port::utf8ToCp932("存在しないボーン") +
      "\n  1,2,3;\n  0,0,0,1;\n}\n\n"
      "Bone1{" +
      model().bones[2].name + "\n  1.5,0,0;\n  0,0.5,0,0.866025;\n}\n\n";
  test::writeFile(folder_ / "lf.vpd", file);
  ASSERT_TRUE(loadPose(scene_, folder_ / "lf.vpd"));
  EXPECT_EQ(model().bones[2].keyTranslation, (Vec3{1.5f, 0, 0}));
  EXPECT_FLOAT_EQ(model().bones[2].keyRotation.y, 0.5f);
  EXPECT_EQ(model().boneSelected[0], 1);
  EXPECT_EQ(model().boneSelected[2], 1);
  EXPECT_EQ(model().boneSelected[1], 0);
  EXPECT_EQ(model().bones[1].keyTranslation, (Vec3{7, 7, 7}));
  ASSERT_EQ(model().undoHistory.undoRing[model().undoHistory.position].poses.size(), 1u);

  model().bones[1].keyTranslation = {8, 8, 8};  // an edit the undo must not touch
  EXPECT_TRUE(undo(scene_).changed);
  EXPECT_EQ(model().bones[2].keyTranslation, (Vec3{}));
  EXPECT_EQ(model().boneMoved[2], 0);
  EXPECT_EQ(model().bones[1].keyTranslation, (Vec3{8, 8, 8}));
}

TEST_F(PoseFile, HostileFilesNeverCrashAndChangeNothingTheyCannotRead) {
  std::string bone = model().bones[1].name;
  const std::string files[] = {
      "",
      "Vocaloid Pose Data file\r\n",
      "a\nb\nc\n-5;\n\nBone0" + bone + "\n  1,2,3;\n  0,0,0,1;\n}\n\n",  // no "{"
      "a\nb\nc\n1;\n\nBone0{" + bone + "\n  1,x,3;\n  0,0,0,1;\n}\n\n",  // unreadable number
      "a\nb\nc\n1;\n\nBone0{" + bone + "\n",                             // cut short
      std::string(100000, '{'),
      "a\nb\nc\n1;\n\nBone0{" + bone + "\n  1,2,3;\n  nan,0,0,1;\n}\n\n",  // not a number
      "a\nb\nc\n1;\n\nBone0{" + bone + "\n  inf,2,3;\n  0,0,0,1;\n}\n\n",  // infinite
  };
  for (const std::string& file : files) {
    test::writeFile(folder_ / "bad.vpd", file);
    EXPECT_TRUE(loadPose(scene_, folder_ / "bad.vpd"));
    EXPECT_EQ(model().bones[1].keyTranslation, (Vec3{}));
    EXPECT_EQ(model().boneMoved[1], 0);
  }
  EXPECT_FALSE(loadPose(scene_, folder_ / "missing.vpd"));
}

TEST_F(PoseFile, AFailedSaveKeepsTheOldFileAndSaysSo) {
  model().boneSelected[1] = 1;
  const Outcome saved = savePose(scene_, folder_ / "no-folder" / "pose.vpd");
  EXPECT_FALSE(saved);
  ASSERT_EQ(saved.messages.size(), 1u);
  EXPECT_EQ(saved.messages[0].caption, "ポーズデータ保存");
}

}  // namespace
}  // namespace zv
