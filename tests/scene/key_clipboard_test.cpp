#include "scene/clipboard/key_clipboard.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "key_test_models.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

using test::keyTestModel;

// The key on the track headed by `head` at `frame`, if any.
template <typename Record>
std::optional<Record> keyAt(const KeyPool<Record>& pool, std::uint32_t head, std::uint32_t frame) {
  for (std::uint32_t key = head;; key = pool[key].next) {
    if (pool[key].frame == frame) {
      return pool[key];
    }
    if (pool[key].next == 0) {
      return std::nullopt;
    }
  }
}

template <typename Record>
int keysOnTrack(const KeyPool<Record>& pool, std::uint32_t head) {
  int count = 0;
  for (std::uint32_t key = pool[head].next; key != 0; key = pool[key].next) {
    ++count;
  }
  return count;
}

BoneKey boneValues(Vec3 translation, Quat rotation, std::uint8_t curveX1 = 20) {
  BoneKey values;
  values.translation = translation;
  values.rotation = rotation;
  values.curves.x1[kBoneRotation] = curveX1;
  return values;
}

// Two models in slots 0 and 1 with undo attached; slot 0 is current, model mode.
struct ClipboardScene {
  Scene scene;
  Model& first;
  Model& second;

  ClipboardScene(std::unique_ptr<Model> a, std::unique_ptr<Model> b) : first(*a), second(*b) {
    scene.modelSlots[0] = std::move(a);
    scene.modelSlots[1] = std::move(b);
    attachUndoHistory(scene, first);
    attachUndoHistory(scene, second);
    scene.cameraMode = false;
  }
  void keyBone(Model& model, std::uint32_t bone, std::uint32_t frame, const BoneKey& values) {
    ASSERT_TRUE(registerBoneKeyWithValues(scene, model, bone, frame, values));
  }
};

TEST(KeyClipboard, KeysCopiedAt10And14PasteAt100And104ByNameOnAnotherModel) {
  ClipboardScene t(keyTestModel({"センター", "左足", "右足"}, 3),
                   keyTestModel({"右足", "尻尾", "センター"}, 2));
  t.keyBone(t.first, 1, 14, boneValues({1, 2, 3}, {0.1f, 0.2f, 0.3f, 0.9f}, 64));
  t.keyBone(t.first, 0, 10, boneValues({4, 5, 6}, {}));
  t.keyBone(t.first, 2, 30, boneValues({9, 9, 9}, {}));
  ASSERT_TRUE(registerMorphKeyByName(t.scene, t.first, "m1", 12, 0, 0.75f));
  t.first.boneKeyPool.at(t.first.boneKeyPool[2].next).selected = false;  // the key at 30 stays behind

  ASSERT_TRUE(copyKeys(t.scene));
  ASSERT_EQ(t.scene.keyClipboard.boneKeys.size(), 2u);
  EXPECT_EQ(t.scene.keyClipboard.boneKeys[0].relativeFrame, 4u);  // pool order: the key at 14 came first
  EXPECT_EQ(t.scene.keyClipboard.boneKeys[1].relativeFrame, 0u);
  ASSERT_EQ(t.scene.keyClipboard.morphKeys.size(), 1u);
  EXPECT_EQ(t.scene.keyClipboard.morphKeys[0].relativeFrame, 2u);

  t.scene.currentModel = 1;
  t.scene.currentFrame = 100;
  const Outcome paste = pasteKeys(t.scene);
  EXPECT_TRUE(paste.done);
  EXPECT_TRUE(paste.messages.empty());
  const std::optional<BoneKey> centre = keyAt(t.second.boneKeyPool, 2, 100);
  ASSERT_TRUE(centre);
  EXPECT_EQ(centre->translation, (Vec3{4, 5, 6}));
  EXPECT_EQ(keysOnTrack(t.second.boneKeyPool, 0), 0);  // 左足 is not on this model: skipped
  EXPECT_EQ(keyAt(t.second.boneKeyPool, 0, 104), std::nullopt);
  EXPECT_EQ(keysOnTrack(t.second.boneKeyPool, 1), 0);
  const std::optional<MorphKey> morph = keyAt(t.second.morphKeyPool, 1, 102);
  ASSERT_TRUE(morph);
  EXPECT_FLOAT_EQ(morph->weight, 0.75f);

  t.scene.currentModel = 0;
  EXPECT_TRUE(pasteKeys(t.scene).done);
  const std::optional<BoneKey> left = keyAt(t.first.boneKeyPool, 1, 104);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->rotation, (Quat{0.1f, 0.2f, 0.3f, 0.9f}));
  EXPECT_EQ(left->curves.x1[kBoneRotation], 64);
  EXPECT_TRUE(keyAt(t.first.boneKeyPool, 0, 100));
  EXPECT_EQ(t.first.lastFrame, 104u);
}

TEST(KeyClipboard, MirroredPasteSwapsSidesNegatesAndLeavesMorphsAndDisplayKeysOut) {
  ClipboardScene t(keyTestModel({"左足", "右足", "首"}, 2, 1), keyTestModel({"a"}));
  t.keyBone(t.first, 0, 5, boneValues({1, 2, 3}, {0.1f, 0.2f, 0.3f, 0.9f}));
  t.keyBone(t.first, 2, 5, boneValues({1, 0, 0}, {0.5f, 0.5f, 0.5f, 0.5f}));
  ASSERT_TRUE(registerMorphKeyByName(t.scene, t.first, "m1", 5, 0, 1.0f));
  ASSERT_TRUE(registerDisplayIkKey(t.scene, t.first, 5));
  ASSERT_TRUE(copyKeys(t.scene));
  EXPECT_TRUE(holdsBoneKeys(t.scene.keyClipboard));

  t.scene.currentFrame = 50;
  EXPECT_TRUE(pasteMirroredKeys(t.scene).done);
  const std::optional<BoneKey> right = keyAt(t.first.boneKeyPool, 1, 50);
  ASSERT_TRUE(right);
  EXPECT_EQ(right->translation, (Vec3{-1, 2, 3}));
  EXPECT_EQ(right->rotation, (Quat{0.1f, -0.2f, -0.3f, 0.9f}));
  EXPECT_EQ(keyAt(t.first.boneKeyPool, 0, 50), std::nullopt);
  const std::optional<BoneKey> neck = keyAt(t.first.boneKeyPool, 2, 50);  // no side: onto itself
  ASSERT_TRUE(neck);
  EXPECT_EQ(neck->rotation, (Quat{0.5f, -0.5f, -0.5f, 0.5f}));
  EXPECT_EQ(keysOnTrack(t.first.morphKeyPool, 1), 1);
  EXPECT_EQ(keysOnTrack(t.first.displayIkKeyPool, 0), 1);

  t.scene.cameraMode = true;
  EXPECT_FALSE(pasteMirroredKeys(t.scene).done);
}

TEST(KeyClipboard, OnlyMorphKeysLeaveNothingToMirrorAndAnEmptySelectionEmptiesTheModelParts) {
  ClipboardScene t(keyTestModel({"a"}, 3), keyTestModel({"a"}));
  ASSERT_TRUE(registerMorphKeyByName(t.scene, t.first, "m2", 8, 0, 0.5f));
  ASSERT_TRUE(copyKeys(t.scene));
  EXPECT_TRUE(holdsModelKeys(t.scene.keyClipboard));
  EXPECT_FALSE(holdsBoneKeys(t.scene.keyClipboard));
  EXPECT_FALSE(pasteMirroredKeys(t.scene).done);
  EXPECT_EQ(t.first.undoHistory.undoAvailable, false);

  clearKeySelection(t.first.morphKeyPool);
  EXPECT_FALSE(copyKeys(t.scene));
  EXPECT_FALSE(holdsModelKeys(t.scene.keyClipboard));
  EXPECT_FALSE(pasteKeys(t.scene).done);
}

TEST(KeyClipboard, DisplayKeysCarryIkFlagsByBoneNameAndShareTheEarliestFrame) {
  ClipboardScene t(keyTestModel({"ikA", "ikB"}, 0, 2), keyTestModel({"ikB", "x", "ikA"}, 0, 3));
  t.second.ikChains[1].ikBone = 1;  // "x": no flag copied for it
  t.second.ikChains[2].ikBone = 2;
  t.first.visible = false;
  t.first.ikChains[0].enabled = false;
  ASSERT_TRUE(registerDisplayIkKey(t.scene, t.first, 20));
  t.keyBone(t.first, 1, 7, boneValues({}, {}));
  ASSERT_TRUE(copyKeys(t.scene));
  ASSERT_EQ(t.scene.keyClipboard.displayIkKeys.size(), 1u);
  EXPECT_EQ(t.scene.keyClipboard.displayIkKeys[0].relativeFrame, 13u);

  t.scene.currentModel = 1;
  t.scene.currentFrame = 0;
  EXPECT_TRUE(pasteKeys(t.scene).done);
  const std::optional<DisplayIkKey> display = keyAt(t.second.displayIkKeyPool, 0, 13);
  ASSERT_TRUE(display);
  EXPECT_FALSE(display->visible);
  EXPECT_EQ(display->ikEnabled, (std::vector<bool>{true, true, false}));
  EXPECT_TRUE(keyAt(t.second.boneKeyPool, 0, 0));
}

TEST(KeyClipboard, CameraModeCopiesAndPastesCameraAndLightKeysWithTheirCurves) {
  ClipboardScene t(keyTestModel({"a"}), keyTestModel({"a"}));
  t.scene.cameraMode = true;
  CameraKey camera;
  camera.distance = -80.0f;
  camera.viewAngle = 30;
  camera.curves.setCurve(kCameraDistance, {1, 2, 3, 4});
  t.scene.currentFrame = 0;
  ASSERT_TRUE(registerCameraKeyWithValues(t.scene, 40, camera));
  LightKey light;
  light.colour = {1, 0, 0};
  ASSERT_TRUE(registerLightKeyWithValues(t.scene, 30, light));
  t.keyBone(t.first, 0, 3, boneValues({}, {}));  // model keys are not the camera mode's to copy

  ASSERT_TRUE(copyKeys(t.scene));
  EXPECT_TRUE(holdsCameraKeys(t.scene.keyClipboard));
  EXPECT_FALSE(holdsModelKeys(t.scene.keyClipboard));
  t.scene.currentFrame = 200;
  const Outcome paste = pasteKeys(t.scene);
  EXPECT_TRUE(paste.done);
  const std::optional<CameraKey> pastedCamera = keyAt(t.scene.cameraKeyPool, 0, 210);
  ASSERT_TRUE(pastedCamera);
  EXPECT_EQ(pastedCamera->distance, -80.0f);
  EXPECT_EQ(pastedCamera->viewAngle, 30);
  EXPECT_EQ(pastedCamera->curves.curve(kCameraDistance), (InterpolationCurve{1, 2, 3, 4}));
  const std::optional<LightKey> pastedLight = keyAt(t.scene.lightKeyPool, 0, 200);
  ASSERT_TRUE(pastedLight);
  EXPECT_EQ(pastedLight->colour, (Vec3{1, 0, 0}));
  EXPECT_EQ(t.scene.lastFrame, 210u);
  EXPECT_FALSE(t.first.undoHistory.undoAvailable);
}

TEST(KeyClipboard, AFullPoolIsReportedOncePerPasteAndFramesPastTheLastAreSkipped) {
  ClipboardScene t(keyTestModel({"a"}, 0, 1), keyTestModel({"a"}));
  for (std::uint32_t frame = 1; frame <= 5; ++frame) {
    ASSERT_TRUE(registerDisplayIkKey(t.scene, t.first, frame));
  }
  ASSERT_TRUE(copyKeys(t.scene));
  for (std::uint32_t frame = 6; frame <= 999; ++frame) {
    ASSERT_TRUE(registerDisplayIkKey(t.scene, t.first, frame));
  }
  t.scene.currentFrame = 2000;
  const Outcome paste = pasteKeys(t.scene);
  EXPECT_FALSE(paste.done);
  ASSERT_EQ(paste.messages.size(), 1u);
  EXPECT_EQ(paste.messages[0].caption, "ﾌﾚｰﾑ登録");

  t.scene.currentModel = 1;
  t.scene.currentFrame = UINT32_MAX - 2;
  EXPECT_TRUE(pasteKeys(t.scene).done);
  EXPECT_EQ(keysOnTrack(t.second.displayIkKeyPool, 0), 3);  // relative frames 3 and 4 would wrap
  EXPECT_EQ(t.second.lastFrame, UINT32_MAX);
}

TEST(KeyClipboard, UndoOfAPasteTakesItsKeysAwayAndRedoBringsThemBack) {
  ClipboardScene t(keyTestModel({"a", "b"}), keyTestModel({"a"}));
  t.keyBone(t.first, 1, 10, boneValues({1, 0, 0}, {}));
  t.keyBone(t.first, 1, 12, boneValues({2, 0, 0}, {}));
  ASSERT_TRUE(copyKeys(t.scene));
  t.keyBone(t.first, 1, 61, boneValues({7, 0, 0}, {}));  // overwritten by the paste, then restored
  t.scene.currentFrame = 60;
  ASSERT_TRUE(pasteKeys(t.scene).done);
  ASSERT_EQ(keysOnTrack(t.first.boneKeyPool, 1), 5);
  ASSERT_EQ(keyAt(t.first.boneKeyPool, 1, 62)->translation, (Vec3{2, 0, 0}));

  t.scene.currentFrame = 0;
  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(t.scene.currentFrame, 60u);
  EXPECT_EQ(keysOnTrack(t.first.boneKeyPool, 1), 3);
  EXPECT_EQ(keyAt(t.first.boneKeyPool, 1, 60), std::nullopt);
  EXPECT_EQ(keyAt(t.first.boneKeyPool, 1, 61)->translation, (Vec3{7, 0, 0}));

  EXPECT_TRUE(redo(t.scene).changed);
  EXPECT_EQ(keysOnTrack(t.first.boneKeyPool, 1), 5);
  EXPECT_EQ(keyAt(t.first.boneKeyPool, 1, 60)->translation, (Vec3{1, 0, 0}));
}

TEST(KeyClipboard, ANewSceneForgetsOnlyTheBoneKeys) {
  ClipboardScene t(keyTestModel({"a"}, 2), keyTestModel({"a"}));
  t.keyBone(t.first, 0, 1, boneValues({}, {}));
  ASSERT_TRUE(registerMorphKeyByName(t.scene, t.first, "m1", 1, 0, 1.0f));
  ASSERT_TRUE(copyKeys(t.scene));
  forgetBoneKeys(t.scene.keyClipboard);
  EXPECT_FALSE(holdsBoneKeys(t.scene.keyClipboard));
  EXPECT_TRUE(holdsModelKeys(t.scene.keyClipboard));
}

}  // namespace
}  // namespace zv
