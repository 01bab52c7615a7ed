// The clipboard buttons through the real command handler: what they paste, the buttons they
// enable, their undo steps, and what a new scene and a model switch keep.
#include <gtest/gtest.h>

#include <optional>

#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "editor_fixture.h"
#include "frame_fixture.h"
#include "port/text.h"
#include "scene/keys/key_bone_lookup.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class ClipboardCommands : public test::EditorTest {
 protected:
  static std::uint32_t bone(const Model& model, const char* name) {
    const std::optional<std::uint32_t> found = findBoneByName(model, port::utf8ToCp932(name));
    EXPECT_TRUE(found) << name;
    return found.value_or(0);
  }

  // Keys `bone` at `frame` with a translation, leaving only the keys keyed this way selected.
  void keyBone(Model& model, std::uint32_t boneIndex, std::uint32_t frame, Vec3 translation) {
    BoneKey values;
    values.translation = translation;
    values.rotation = {0.1f, 0.2f, 0.3f, 0.9f};
    ASSERT_TRUE(registerBoneKeyWithValues(scene_, model, boneIndex, frame, values));
  }

  static void deselectModelKeys(Model& model) {
    clearKeySelection(model.boneKeyPool);
    clearKeySelection(model.morphKeyPool);
    clearKeySelection(model.displayIkKeyPool);
  }

  template <typename Record>
  static std::optional<Record> keyAt(const KeyPool<Record>& pool, std::uint32_t head, std::uint32_t frame) {
    for (std::uint32_t key = pool[head].next; key != 0; key = pool[key].next) {
      if (pool[key].frame == frame) {
        return pool[key];
      }
    }
    return std::nullopt;
  }

  bool enabled(int id) { return ui_.control(id).enabled; }
};

TEST_F(ClipboardCommands, KeysCopiedAt10And14PasteAt100And104AndMirrorOntoTheOtherLeg) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  const std::uint32_t left = bone(model, "左足"), right = bone(model, "右足");
  deselectModelKeys(model);
  keyBone(model, left, 10, {1, 2, 3});
  keyBone(model, left, 14, {4, 5, 6});
  EXPECT_FALSE(enabled(kKeyPasteButton));
  EXPECT_FALSE(enabled(kKeyMirrorPasteButton));

  ui_.click(kKeyCopyButton);
  EXPECT_TRUE(enabled(kKeyPasteButton));
  EXPECT_TRUE(enabled(kKeyMirrorPasteButton));
  EXPECT_FALSE(scene_.modified);

  scene_.currentFrame = 100;
  ui_.click(kKeyPasteButton);
  EXPECT_EQ(keyAt(model.boneKeyPool, left, 100)->translation, (Vec3{1, 2, 3}));
  EXPECT_EQ(keyAt(model.boneKeyPool, left, 104)->translation, (Vec3{4, 5, 6}));
  EXPECT_EQ(model.bones[left].keyTranslation, (Vec3{1, 2, 3}));  // posed at the current frame
  EXPECT_TRUE(scene_.modified);
  EXPECT_TRUE(enabled(kUndoButton));
  EXPECT_TRUE(ui_.messages.empty());

  scene_.currentFrame = 200;
  ui_.click(kKeyMirrorPasteButton);
  const std::optional<BoneKey> mirrored = keyAt(model.boneKeyPool, right, 204);
  ASSERT_TRUE(mirrored);
  EXPECT_EQ(mirrored->translation, (Vec3{-4, 5, 6}));
  EXPECT_EQ(mirrored->rotation, (Quat{0.1f, -0.2f, -0.3f, 0.9f}));
  EXPECT_EQ(keyAt(model.boneKeyPool, left, 200), std::nullopt);

  ui_.click(kUndoButton);
  EXPECT_EQ(keyAt(model.boneKeyPool, right, 204), std::nullopt);
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "200");
  EXPECT_TRUE(enabled(kRedoButton));
  ui_.click(kUndoButton);
  EXPECT_EQ(keyAt(model.boneKeyPool, left, 100), std::nullopt);
  ui_.click(kRedoButton);
  EXPECT_TRUE(keyAt(model.boneKeyPool, left, 104));
}

TEST_F(ClipboardCommands, OnlyMorphKeysLeaveMirroredPasteOffAndEachModeShowsItsOwnKeys) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  deselectModelKeys(model);
  ASSERT_GT(model.morphs.size(), 1u);
  ASSERT_TRUE(registerMorphKeyByName(scene_, model, model.morphs[1].name, 6, 0, 0.5f));
  ui_.click(kKeyCopyButton);
  EXPECT_TRUE(enabled(kKeyPasteButton));
  EXPECT_FALSE(enabled(kKeyMirrorPasteButton));

  clearKeySelection(scene_.cameraKeyPool);
  clearKeySelection(scene_.lightKeyPool);
  ui_.select(kModelList, 0);
  ASSERT_TRUE(scene_.cameraMode);
  EXPECT_FALSE(enabled(kKeyPasteButton));
  ui_.select(kModelList, model.listIndex);
  EXPECT_TRUE(enabled(kKeyPasteButton));
  EXPECT_FALSE(enabled(kKeyMirrorPasteButton));

  scene_.currentFrame = 30;
  ui_.click(kKeyPasteButton);
  EXPECT_FLOAT_EQ(keyAt(model.morphKeyPool, 1, 30)->weight, 0.5f);
  EXPECT_FLOAT_EQ(model.morphs[1].weight, 0.5f);
}

TEST_F(ClipboardCommands, CameraModeCopiesAndPastesCameraAndLightKeys) {
  if (!context_)
    GTEST_SKIP();
  ASSERT_TRUE(scene_.cameraMode);
  clearKeySelection(scene_.cameraKeyPool);
  CameraKey camera;
  camera.viewAngle = 30;
  camera.distance = -60.0f;
  ASSERT_TRUE(registerCameraKeyWithValues(scene_, 8, camera));
  LightKey light;
  light.colour = {0.25f, 0.5f, 0.75f};
  ASSERT_TRUE(registerLightKeyWithValues(scene_, 10, light));
  ui_.click(kKeyCopyButton);
  EXPECT_TRUE(enabled(kKeyPasteButton));
  EXPECT_FALSE(enabled(kKeyMirrorPasteButton));

  scene_.currentFrame = 50;
  ui_.click(kKeyPasteButton);
  EXPECT_EQ(keyAt(scene_.cameraKeyPool, 0, 50)->viewAngle, 30);
  EXPECT_EQ(keyAt(scene_.lightKeyPool, 0, 52)->colour, (Vec3{0.25f, 0.5f, 0.75f}));
  EXPECT_EQ(scene_.camera.cameraDistance, -60.0f);  // sampled at the current frame
  EXPECT_EQ(ui_.control(kViewAngleBox).text, " 30");
  EXPECT_TRUE(scene_.modified);
}

TEST_F(ClipboardCommands, KeysCarryFromOneModelToAnother) {
  if (!context_)
    GTEST_SKIP();
  Model& first = addDemoModel();
  deselectModelKeys(first);
  keyBone(first, bone(first, "首"), 3, {0, 1, 0});
  ui_.click(kKeyCopyButton);
  Model& second = addDemoModel();
  ASSERT_NE(&first, &second);
  EXPECT_TRUE(enabled(kKeyPasteButton));
  scene_.currentFrame = 20;
  ui_.click(kKeyPasteButton);
  EXPECT_EQ(keyAt(second.boneKeyPool, bone(second, "首"), 20)->translation, (Vec3{0, 1, 0}));
  EXPECT_EQ(keyAt(first.boneKeyPool, bone(first, "首"), 20), std::nullopt);
}

TEST_F(ClipboardCommands, AFullPoolShowsOneMessageForTheWholePaste) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  deselectModelKeys(model);
  for (std::uint32_t frame = 1; frame <= 50; ++frame) {
    ASSERT_TRUE(registerDisplayIkKey(scene_, model, frame));
  }
  ui_.click(kKeyCopyButton);
  for (std::uint32_t frame = 51; frame < DisplayIkKey::kPoolCapacity; ++frame) {
    ASSERT_TRUE(registerDisplayIkKey(scene_, model, frame));
  }
  scene_.currentFrame = 5000;
  ui_.click(kKeyPasteButton);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].caption, "ﾌﾚｰﾑ登録");
  EXPECT_EQ(scene_.enterKeyState, KeyState::Held);
}

TEST_F(ClipboardCommands, PoseButtonsPasteMirrorUndoAndANewSceneEmptiesThePoseAndBoneKeys) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  const std::uint32_t left = bone(model, "左ひじ"), right = bone(model, "右ひじ");
  EXPECT_FALSE(enabled(kPosePasteButton));
  EXPECT_FALSE(enabled(kPoseMirrorPasteButton));
  std::ranges::fill(model.boneSelected, 0);
  ui_.click(kPoseCopyButton);
  EXPECT_FALSE(enabled(kPosePasteButton));

  model.boneSelected[left] = 1;
  model.bones[left].keyTranslation = {1, 2, 3};
  model.bones[left].keyRotation = {0.1f, 0.2f, 0.3f, 0.9f};
  ui_.click(kPoseCopyButton);
  EXPECT_TRUE(enabled(kPosePasteButton));
  EXPECT_TRUE(enabled(kPoseMirrorPasteButton));

  ui_.click(kPoseMirrorPasteButton);
  EXPECT_EQ(model.bones[right].keyTranslation, (Vec3{-1, 2, 3}));
  EXPECT_EQ(model.bones[right].keyRotation, (Quat{0.1f, -0.2f, -0.3f, 0.9f}));
  EXPECT_EQ(model.boneSelected[right], 1);
  EXPECT_EQ(model.boneSelected[left], 0);
  EXPECT_EQ(model.boneMoved[right], 1);
  EXPECT_EQ(model.selectedBone, -1);
  EXPECT_TRUE(enabled(kUndoButton));
  EXPECT_FALSE(enabled(kRedoButton));
  ui_.click(kUndoButton);
  EXPECT_EQ(model.bones[right].keyTranslation, (Vec3{}));
  EXPECT_EQ(model.boneMoved[right], 0);

  deselectModelKeys(model);
  keyBone(model, left, 4, {1, 1, 1});
  ui_.click(kKeyCopyButton);
  ui_.messageAnswers = {port::MessageAnswer::Ok};
  ui_.click(kMenuNew);
  EXPECT_TRUE(scene_.poseClipboard.bones.empty());
  EXPECT_TRUE(scene_.keyClipboard.boneKeys.empty());
  EXPECT_FALSE(enabled(kPosePasteButton));
  EXPECT_FALSE(enabled(kKeyPasteButton));
  Model& next = addDemoModel();
  EXPECT_FALSE(enabled(kPosePasteButton));
  EXPECT_FALSE(enabled(kKeyPasteButton));
  EXPECT_FALSE(enabled(kKeyMirrorPasteButton));
  ui_.click(kPosePasteButton);
  EXPECT_FALSE(next.undoHistory.undoAvailable);
}

}  // namespace
}  // namespace zv
