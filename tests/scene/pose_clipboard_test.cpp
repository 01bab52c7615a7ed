#include "scene/clipboard/pose_clipboard.h"

#include <gtest/gtest.h>

#include "key_test_models.h"
#include "port/text.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

using test::keyTestModel;

struct PoseScene {
  Scene scene;
  Model& model;

  explicit PoseScene(std::initializer_list<const char*> boneNames)
      : model(*(scene.modelSlots[0] = keyTestModel(boneNames))) {
    attachUndoHistory(scene, model);
    scene.cameraMode = false;
  }
  void pose(const char* name, Vec3 translation, Quat rotation) {
    Bone& bone = model.bones[index(name)];
    bone.keyTranslation = translation;
    bone.keyRotation = rotation;
    model.boneSelected[index(name)] = 1;
  }
  std::uint32_t index(const char* name) const {
    for (std::uint32_t bone = 0; bone < model.bones.size(); ++bone) {
      if (model.bones[bone].name == port::utf8ToCp932(name)) {
        return bone;
      }
    }
    ADD_FAILURE() << "no bone " << name;
    return 0;
  }
  const Bone& bone(const char* name) const { return model.bones[index(name)]; }
  bool selected(const char* name) const { return model.boneSelected[index(name)] != 0; }
  bool moved(const char* name) const { return model.boneMoved[index(name)] != 0; }
};

TEST(PoseClipboard, MirroredPasteFollowsTheTextAfterTheSideCharacter) {
  PoseScene t({"センター", "右", "左足", "x右足", "右足", "左", "首", "右ひじ"});
  t.pose("左足", {1, 2, 3}, {0.1f, 0.2f, 0.3f, 0.9f});
  t.pose("左", {4, 0, 0}, {0.5f, 0.5f, 0.5f, 0.5f});
  t.pose("首", {5, 0, 0}, {0, 1, 0, 0});
  t.pose("右ひじ", {6, 0, 0}, {});
  ASSERT_TRUE(copyPose(t.scene));
  ASSERT_EQ(t.scene.poseClipboard.bones.size(), 4u);
  t.model.selectedBone = 2;

  ASSERT_TRUE(pasteMirroredPose(t.scene));
  // The first bone whose text after 右 is 足: what stands before the side character is ignored.
  EXPECT_EQ(t.bone("x右足").keyTranslation, (Vec3{-1, 2, 3}));
  EXPECT_EQ(t.bone("x右足").keyRotation, (Quat{0.1f, -0.2f, -0.3f, 0.9f}));
  EXPECT_EQ(t.bone("右足").keyTranslation, (Vec3{}));
  EXPECT_EQ(t.bone("右").keyTranslation, (Vec3{-4, 0, 0}));      // 左 alone: 右 with nothing after
  EXPECT_EQ(t.bone("首").keyRotation, (Quat{0, -1, 0, 0}));      // no side: itself, mirrored
  EXPECT_EQ(t.bone("右ひじ").keyTranslation, (Vec3{-6, 0, 0}));  // no 左ひじ: itself
  EXPECT_TRUE(t.selected("x右足") && t.moved("x右足"));
  EXPECT_TRUE(t.selected("右") && t.moved("右"));
  EXPECT_FALSE(t.selected("左足"));
  EXPECT_FALSE(t.moved("左足"));
  EXPECT_FALSE(t.selected("センター"));
  EXPECT_EQ(t.model.selectedBone, -1);
}

TEST(PoseClipboard, PasteLandsByNameOnAnotherModelSkippingUnknownBones) {
  PoseScene t({"センター", "左足", "尻尾"});
  t.pose("左足", {1, 2, 3}, {0, 0, 1, 0});
  t.pose("尻尾", {9, 9, 9}, {});
  ASSERT_TRUE(copyPose(t.scene));
  auto other = keyTestModel({"頭", "左足"});
  Model& second = *other;
  t.scene.modelSlots[1] = std::move(other);
  attachUndoHistory(t.scene, second);
  t.scene.currentModel = 1;
  second.boneSelected[0] = 1;

  ASSERT_TRUE(pastePose(t.scene));
  EXPECT_EQ(second.bones[1].keyTranslation, (Vec3{1, 2, 3}));
  EXPECT_EQ(second.bones[1].keyRotation, (Quat{0, 0, 1, 0}));
  EXPECT_EQ(second.boneSelected, (std::vector<std::uint8_t>{0, 1}));
  EXPECT_EQ(second.boneMoved, (std::vector<std::uint8_t>{0, 1}));
  EXPECT_EQ(second.selectedBone, -1);
}

TEST(PoseClipboard, EmptyClipboardOrSelectionChangesNothing) {
  PoseScene t({"a", "b"});
  EXPECT_FALSE(copyPose(t.scene));
  EXPECT_FALSE(pastePose(t.scene));
  EXPECT_FALSE(pasteMirroredPose(t.scene));
  EXPECT_FALSE(t.model.undoHistory.undoAvailable);
  t.pose("b", {1, 0, 0}, {});
  ASSERT_TRUE(copyPose(t.scene));
  t.model.boneSelected = {0, 0};
  EXPECT_FALSE(copyPose(t.scene));
  EXPECT_EQ(t.scene.poseClipboard.bones.size(), 1u);  // kept
}

TEST(PoseClipboard, UndoRestoresOnlyTheBonesWrittenWithTheirMovedFlagsAndRedoReappliesThem) {
  PoseScene t({"左手", "右手", "首", "腰"});
  t.pose("左手", {1, 0, 0}, {});
  t.pose("右手", {2, 0, 0}, {});
  ASSERT_TRUE(copyPose(t.scene));
  t.model.bones[1].keyTranslation = {7, 0, 0};
  t.model.boneMoved[1] = 0;

  ASSERT_TRUE(pastePose(t.scene));
  EXPECT_TRUE(t.model.undoHistory.undoAvailable);
  EXPECT_FALSE(t.model.undoHistory.redoAvailable);
  // Changed after the paste: undo must not touch a bone the paste did not write.
  t.model.bones[2].keyTranslation = {3, 3, 3};
  ASSERT_TRUE(pasteMirroredPose(t.scene));
  EXPECT_EQ(t.bone("右手").keyTranslation, (Vec3{-1, 0, 0}));
  EXPECT_EQ(t.bone("左手").keyTranslation, (Vec3{-2, 0, 0}));

  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(t.bone("右手").keyTranslation, (Vec3{2, 0, 0}));
  EXPECT_EQ(t.bone("左手").keyTranslation, (Vec3{1, 0, 0}));
  EXPECT_EQ(t.bone("首").keyTranslation, (Vec3{3, 3, 3}));
  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(t.bone("右手").keyTranslation, (Vec3{7, 0, 0}));
  EXPECT_FALSE(t.moved("右手"));
  EXPECT_EQ(t.bone("首").keyTranslation, (Vec3{3, 3, 3}));

  EXPECT_TRUE(redo(t.scene).changed);
  EXPECT_EQ(t.bone("右手").keyTranslation, (Vec3{2, 0, 0}));
  EXPECT_TRUE(t.moved("右手"));
}

TEST(PoseClipboard, TwoEntriesLandingOnOneBoneUndoAndRedoAsOneWrite) {
  PoseScene t({"腰", "腰"});
  t.model.bones[0].keyTranslation = {1, 0, 0};
  t.model.bones[1].keyTranslation = {2, 0, 0};
  t.model.boneSelected = {1, 1};
  ASSERT_TRUE(copyPose(t.scene));
  t.model.bones[0].keyTranslation = {5, 0, 0};

  ASSERT_TRUE(pastePose(t.scene));  // both entries find the first bone of the name
  EXPECT_EQ(t.model.bones[0].keyTranslation, (Vec3{2, 0, 0}));
  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(t.model.bones[0].keyTranslation, (Vec3{5, 0, 0}));
  EXPECT_EQ(t.model.boneMoved[0], 0);
  EXPECT_TRUE(redo(t.scene).changed);
  EXPECT_EQ(t.model.bones[0].keyTranslation, (Vec3{2, 0, 0}));
  EXPECT_EQ(t.model.boneMoved[0], 1);
}

}  // namespace
}  // namespace zv
