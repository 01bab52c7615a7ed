#include "scene/keys/key_deletion.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "key_test_models.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "scene/keys/key_track_edit.h"

namespace zv {
namespace {

using test::keyTestModel;
using test::KeyTestScene;

void registerX(KeyTestScene& t, std::uint32_t bone, std::uint32_t frame, float x) {
  t.model->bones[bone].keyTranslation = {x, 0, 0};
  ASSERT_TRUE(registerBoneKey(t.scene, *t.model, bone, frame));
}

TEST(KeyDeletion, TheLastKeyOfATrackLeavesRecordZeroAloneAndFreesItsRecord) {
  KeyTestScene t;
  KeyPool<BoneKey>& pool = t.model->boneKeyPool;
  registerX(t, 1, 10, 1);
  registerX(t, 1, 20, 2);
  EXPECT_EQ(pool[0], BoneKey{});  // the ends of track 1 never reach record 0 either
  clearKeySelection(pool);
  pool.at(4).selected = true;
  EXPECT_EQ(deleteSelectedKeys(t.scene), 1);
  EXPECT_EQ(pool[0], BoneKey{});
  EXPECT_EQ(pool[3].next, 0u);
  EXPECT_EQ(pool[4].frame, 0u);
  EXPECT_EQ(pool[4].prev, 0u);
  EXPECT_FALSE(pool[4].selected);
  EXPECT_EQ(pool[4].translation, (Vec3{0, 0, 0}));
  // The key before the deleted one is now last and eases out.
  EXPECT_EQ(pool[3].curves.curve(kBoneMoveX), (InterpolationCurve{64, 0, 64, 127}));
  registerX(t, 2, 7, 5);
  EXPECT_EQ(pool[2].next, 4u);
  EXPECT_EQ(t.model->lastFrame, 20u);
}

TEST(KeyDeletion, RedoesTheAutomaticCurvesOfTheFollowingKey) {
  KeyTestScene t;
  const KeyPool<BoneKey>& pool = t.model->boneKeyPool;
  registerX(t, 0, 10, 1);
  registerX(t, 0, 20, 2);
  registerX(t, 0, 30, 3);
  EXPECT_EQ(pool[4].curves.curve(kBoneMoveX), (InterpolationCurve{40, 40, 87, 87}));
  clearKeySelection(t.model->boneKeyPool);
  t.model->boneKeyPool.at(3).selected = true;
  t.model->boneKeyPool.at(5).selected = true;
  EXPECT_EQ(deleteSelectedKeys(t.scene), 2);
  EXPECT_EQ(pool[0].next, 4u);
  EXPECT_EQ(pool[4].prev, 0u);
  EXPECT_EQ(pool[4].next, 0u);
  EXPECT_EQ(pool[4].curves.curve(kBoneMoveX), (InterpolationCurve{64, 0, 64, 127}));
  // A deleted bone key keeps its curves for whoever reuses the record.
  EXPECT_EQ(pool[5].curves.curve(kBoneMoveX), (InterpolationCurve{40, 40, 64, 127}));
}

TEST(KeyDeletion, SelectedHeadsAreResetInsteadOfRemoved) {
  KeyTestScene t;
  Scene& scene = t.scene;
  scene.camera.fieldOfView = 20;
  scene.camera.orthographic = true;
  scene.camera.cameraDistance = -5;
  ASSERT_TRUE(registerCameraKey(scene, 0));
  ASSERT_TRUE(registerCameraKey(scene, 30));
  scene.cameraKeyPool.at(0).curves.setCurve(kCameraMoveX, {1, 2, 3, 4});
  scene.light.lightColour = {1, 1, 1};
  ASSERT_TRUE(registerLightKey(scene, 0));
  scene.currentAccessory = 7;
  AccessoryKey accessory;
  accessory.scale = 3;
  ASSERT_TRUE(registerAccessoryKey(scene, 12, accessory));
  registerX(t, 0, 10, 1);

  scene.cameraMode = true;
  EXPECT_EQ(deleteSelectedKeys(scene), 2);
  const CameraKey& head = scene.cameraKeyPool[0];
  EXPECT_EQ(head.distance, -35.0f);
  EXPECT_EQ(head.viewAngle, 20);
  EXPECT_TRUE(head.orthographic);
  EXPECT_EQ(head.curves, (ChannelCurves<kCameraChannelCount>{}));
  EXPECT_FALSE(head.selected);
  EXPECT_EQ(head.next, 0u);
  EXPECT_EQ(scene.cameraKeyPool[1].frame, 0u);
  EXPECT_EQ(scene.lightKeyPool[0], LightKey{});
  EXPECT_EQ(scene.accessoryKeyPools[7][0].next, 0u);
  EXPECT_EQ(scene.accessoryKeyPools[7][1], AccessoryKey{});
  EXPECT_EQ(t.model->boneKeyPool[0].next, 3u);
  EXPECT_EQ(scene.lastFrame, 30u);

  scene.cameraMode = false;
  clearKeySelection(t.model->boneKeyPool);
  registerX(t, 0, 0, 4);
  t.model->boneKeyPool.at(0).curves.setCurve(kBoneRotation, {9, 9, 9, 9});
  EXPECT_EQ(deleteSelectedKeys(scene), 0);
  EXPECT_FALSE(t.model->boneKeyPool[0].selected);
  EXPECT_EQ(t.model->boneKeyPool[0].translation, (Vec3{0, 0, 0}));
  EXPECT_EQ(t.model->boneKeyPool[0].curves.curve(kBoneRotation), (InterpolationCurve{9, 9, 9, 9}));
}

TEST(KeyDeletion, ModelModeCoversMorphAndDisplayIkKeys) {
  KeyTestScene t(keyTestModel({"a"}, 2, 2));
  Model& model = *t.model;
  model.ikChains[0].enabled = false;
  model.visible = false;
  ASSERT_TRUE(registerDisplayIkKey(t.scene, model, 0));
  ASSERT_TRUE(registerDisplayIkKey(t.scene, model, 5));
  ASSERT_TRUE(registerMorphKey(t.scene, model, 1, 5));
  ASSERT_TRUE(registerCameraKey(t.scene, 5));
  EXPECT_EQ(deleteSelectedKeys(t.scene), 2);
  EXPECT_EQ(model.displayIkKeyPool[0].ikEnabled, (std::vector<bool>{true, true}));
  EXPECT_TRUE(model.displayIkKeyPool[0].visible);
  EXPECT_EQ(model.displayIkKeyPool[1], model.displayIkKeyPool.blank());
  EXPECT_EQ(model.morphKeyPool[1].next, 0u);
  EXPECT_EQ(t.scene.cameraKeyPool[1].frame, 5u);
}

TEST(KeyDeletion, UnneededKeysAreThoseBetweenTwoEqualPoses) {
  KeyTestScene t(keyTestModel({"a", "b"}, 2));
  Model& model = *t.model;
  model.bones[1].type = kBoneTypeFirstUnkeyed;
  for (std::uint32_t bone : {0u, 1u}) {
    for (std::uint32_t frame : {10u, 20u, 30u, 40u}) {
      registerX(t, bone, frame, 1);
    }
  }
  ASSERT_TRUE(registerMorphKey(t.scene, model, 1, 5));
  const UnneededKeyDeletion deletion = deleteUnneededBoneKeys(t.scene, model);
  EXPECT_EQ(deletion.removed, 2);
  EXPECT_EQ(deletion.report.text, "2個のポイントを削除しました");
  EXPECT_EQ(deletion.report.caption, "不要ポイントの削除");
  const KeyPool<BoneKey>& pool = model.boneKeyPool;
  EXPECT_EQ(pool[0].next, 2u);
  EXPECT_EQ(pool[2].next, 5u);
  EXPECT_EQ(pool[5].prev, 2u);
  EXPECT_EQ(pool[1].next, 6u);
  EXPECT_EQ(pool[9].frame, 40u);
  EXPECT_EQ(model.morphKeyPool[1].next, 2u);
}

TEST(KeyDeletion, AFullBonePoolRefusesEachNewKeyButOverwritesProceed) {
  KeyTestScene t;
  Model& model = *t.model;
  const BoneKey values;
  for (std::uint32_t frame = 1; frame < BoneKey::kPoolCapacity - 2; ++frame) {
    ASSERT_TRUE(registerBoneKeyByName(t.scene, model, "a", frame, 0, values));
  }
  model.boneSelected = {1, 1, 1};
  model.boneMoved = {1, 1, 1};
  const KeyWrites writes = registerSelectedBones(t.scene, model, 5);
  EXPECT_EQ(writes.written, 1);
  ASSERT_EQ(writes.messages.size(), 2u);
  EXPECT_EQ(writes.messages[1], keyPoolFullMessage(BoneKey::kPoolCapacity));
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{0, 1, 1}));
  EXPECT_EQ(model.boneKeyPool[1].next, 0u);

  clearKeySelection(model.boneKeyPool);
  model.boneKeyPool.at(299'999).selected = true;
  deleteSelectedKeys(t.scene);
  EXPECT_TRUE(registerBoneKey(t.scene, model, 2, 5));
  EXPECT_EQ(model.boneKeyPool[2].next, 299'999u);
}

// Keeps the first copy of every record it is told about, as an undo step does.
struct RecordingObserver : KeyChangeObserver {
  const KeyPool<BoneKey>* pool = nullptr;
  std::vector<std::uint32_t> editFrames;
  std::map<std::uint32_t, BoneKey> saved;

  void beginKeyEdit(std::uint32_t frame) override { editFrames.push_back(frame); }
  void beforeKeyChange(std::uint32_t index) override { saved.try_emplace(index, (*pool)[index]); }
};

std::vector<BoneKey> snapshot(const KeyPool<BoneKey>& pool) {
  std::vector<BoneKey> records;
  for (std::uint32_t index = 0; index < 16; ++index) {
    records.push_back(pool[index]);
  }
  return records;
}

void restore(KeyPool<BoneKey>& pool, const RecordingObserver& observer) {
  for (const auto& [index, record] : observer.saved) {
    pool.put(index, record);
  }
}

TEST(KeyChangeObserver, SeesEveryRecordRegistrationAndDeletionChange) {
  KeyTestScene t;
  Model& model = *t.model;
  KeyPool<BoneKey>& pool = model.boneKeyPool;
  for (auto [frame, x] : {std::pair{10u, 1.0f}, {20u, 3.0f}, {30u, 1.0f}, {40u, 2.0f}}) {
    registerX(t, 0, frame, x);
  }
  RecordingObserver observer;
  observer.pool = &pool;
  pool.observer = &observer;
  clearKeySelection(pool);  // selection changes are not undo material

  const std::vector<BoneKey> beforeInsert = snapshot(pool);
  model.bones[0].keyTranslation = {5, 0, 0};
  model.boneSelected = {1, 0, 0};
  registerSelectedBones(t.scene, model, 25);
  EXPECT_EQ(observer.editFrames, (std::vector<std::uint32_t>{25}));
  restore(pool, observer);
  EXPECT_EQ(snapshot(pool), beforeInsert);
  EXPECT_EQ(pool.lowestFree(), 7u);

  observer.saved.clear();
  pool.at(4).selected = true;
  pool.at(6).selected = true;
  const std::vector<BoneKey> beforeDelete = snapshot(pool);
  t.scene.currentFrame = 77;
  EXPECT_EQ(deleteSelectedKeys(t.scene), 2);
  EXPECT_EQ(observer.editFrames, (std::vector<std::uint32_t>{25, 77}));
  restore(pool, observer);
  EXPECT_EQ(snapshot(pool), beforeDelete);
  EXPECT_EQ(pool.keyAtOrBefore(0, 100), 6u);
}

}  // namespace
}  // namespace zv
