#include <gtest/gtest.h>

#include <vector>

#include "key_test_models.h"
#include "scene/keys/camera_key_bias.h"
#include "scene/keys/key_deletion.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "scene/keys/key_select_all.h"

namespace zv {
namespace {

using test::keyTestModel;
using test::KeyTestScene;

template <typename Record>
std::vector<std::uint32_t> selectedIndices(const KeyPool<Record>& pool) {
  std::vector<std::uint32_t> selected;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected) {
      selected.push_back(index);
    }
  }
  return selected;
}

TEST(SelectAllKeys, ModelFamiliesSelectTheirHeadsAndKeysInUseAndNothingElse) {
  KeyTestScene t(keyTestModel({"a", "b", "c"}, 3, 1));
  Model& model = *t.model;
  ASSERT_TRUE(registerBoneKey(t.scene, model, 1, 10));
  ASSERT_TRUE(registerBoneKey(t.scene, model, 2, 20));
  ASSERT_TRUE(registerBoneKey(t.scene, model, 2, 30));
  // Record 4 was written and is free again: it must not be selected.
  clearKeySelection(model.boneKeyPool);
  model.boneKeyPool.at(4).selected = true;
  deleteSelectedBoneKeys(t.scene, model);
  ASSERT_TRUE(registerMorphKey(t.scene, model, 2, 7));
  ASSERT_TRUE(registerDisplayIkKey(t.scene, model, 9));
  clearKeySelection(model.morphKeyPool);
  clearKeySelection(model.displayIkKeyPool);

  selectAllBoneKeys(model);
  EXPECT_EQ(selectedIndices(model.boneKeyPool), (std::vector<std::uint32_t>{0, 1, 2, 3, 5}));
  EXPECT_TRUE(selectedIndices(model.morphKeyPool).empty());
  EXPECT_TRUE(selectedIndices(model.displayIkKeyPool).empty());

  selectAllMorphKeys(model);
  EXPECT_EQ(selectedIndices(model.morphKeyPool), (std::vector<std::uint32_t>{0, 1, 2, 3}));
  selectAllDisplayIkKeys(model);
  EXPECT_EQ(selectedIndices(model.displayIkKeyPool), (std::vector<std::uint32_t>{0, 1}));
}

TEST(SelectAllKeys, SceneFamiliesSelectTheHeadEvenOfAnEmptyTrack) {
  Scene scene;
  selectAllCameraKeys(scene);
  EXPECT_EQ(selectedIndices(scene.cameraKeyPool), (std::vector<std::uint32_t>{0}));
  EXPECT_TRUE(selectedIndices(scene.lightKeyPool).empty());

  ASSERT_TRUE(registerLightKey(scene, 12));
  scene.lightKeyPool.at(1).selected = false;
  selectAllLightKeys(scene);
  EXPECT_EQ(selectedIndices(scene.lightKeyPool), (std::vector<std::uint32_t>{0, 1}));

  scene.currentAccessory = 3;
  ASSERT_TRUE(registerAccessoryKey(scene, 8, AccessoryKey{}));
  selectAllAccessoryKeys(scene);
  for (std::size_t slot = 0; slot < scene.accessoryKeyPools.size(); ++slot) {
    const std::vector<std::uint32_t> expected =
        slot == 3 ? std::vector<std::uint32_t>{0, 1} : std::vector<std::uint32_t>{0};
    EXPECT_EQ(selectedIndices(scene.accessoryKeyPools[slot]), expected) << slot;
  }
}

TEST(CameraKeyBias, ShiftsOnlyTheSelectedCameraKeysByAWholeNumber) {
  Scene scene;
  scene.camera.cameraDistance = -30.5f;
  scene.camera.fieldOfView = 40.0f;
  ASSERT_TRUE(registerCameraKey(scene, 10));
  ASSERT_TRUE(registerCameraKey(scene, 20));
  scene.cameraKeyPool.at(1).selected = false;

  biasCameraDistance(scene, 5);
  EXPECT_EQ(scene.cameraKeyPool[2].distance, -35.5f);
  EXPECT_EQ(scene.cameraKeyPool[1].distance, -30.5f);
  EXPECT_EQ(scene.cameraKeyPool[0].distance, -35.0f);

  biasViewAngle(scene, -15);
  EXPECT_EQ(scene.cameraKeyPool[2].viewAngle, 25);
  EXPECT_EQ(scene.cameraKeyPool[1].viewAngle, 40);

  // Sums beyond 32 bits stop at the ends of the range rather than wrapping round.
  biasViewAngle(scene, INT32_MAX);
  EXPECT_EQ(scene.cameraKeyPool[2].viewAngle, INT32_MAX);
  scene.cameraKeyPool.at(2).viewAngle = -10;
  biasViewAngle(scene, INT32_MIN);
  EXPECT_EQ(scene.cameraKeyPool[2].viewAngle, INT32_MIN);
}

TEST(UnneededKeyDeletion, ASelectedDisplayIkKeyStaysAndStaysSelected) {
  KeyTestScene t(keyTestModel({"a"}, 0, 1));
  Model& model = *t.model;
  model.bones[0].keyTranslation = {1, 0, 0};
  for (std::uint32_t frame : {10u, 20u, 30u}) {
    ASSERT_TRUE(registerBoneKey(t.scene, model, 0, frame));
  }
  ASSERT_TRUE(registerDisplayIkKey(t.scene, model, 50));
  ASSERT_TRUE(model.displayIkKeyPool[1].selected);

  const UnneededKeyDeletion deletion = deleteUnneededBoneKeys(t.scene, model);
  EXPECT_EQ(deletion.removed, 1);
  EXPECT_EQ(model.displayIkKeyPool[1].frame, 50u);
  EXPECT_EQ(model.displayIkKeyPool[0].next, 1u);
  EXPECT_TRUE(model.displayIkKeyPool[1].selected);
  EXPECT_TRUE(selectedIndices(model.boneKeyPool).empty());
}

}  // namespace
}  // namespace zv
