// Range and vertical selection over the key pools, and the curve clipboard's copy and paste.
#include <gtest/gtest.h>

#include <vector>

#include "key_test_models.h"
#include "scene/clipboard/curve_clipboard.h"
#include "scene/keys/key_deletion.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_range_selection.h"
#include "scene/keys/key_registration.h"
#include "scene/keys/key_vertical_selection.h"

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

using Indices = std::vector<std::uint32_t>;

BoneKey boneKeyWithCurve(int channel, InterpolationCurve curve) {
  BoneKey values;
  values.curves.setCurve(channel, curve);
  return values;
}

TEST(RangeSelection, WholePoolsTakeHeadsAndKeysInUseWithinTheRangeAndDropTheRest) {
  KeyTestScene t(keyTestModel({"a", "b", "c"}, 3, 1));
  Model& model = *t.model;
  ASSERT_TRUE(registerBoneKey(t.scene, model, 1, 10));  // record 3
  ASSERT_TRUE(registerBoneKey(t.scene, model, 2, 20));  // record 4
  ASSERT_TRUE(registerBoneKey(t.scene, model, 2, 30));  // record 5
  clearKeySelection(model.boneKeyPool);
  model.boneKeyPool.at(5).selected = true;
  deleteSelectedBoneKeys(t.scene, model);                // record 5 is written but free again
  ASSERT_TRUE(registerMorphKey(t.scene, model, 1, 15));  // record 3 of the morph pool

  selectBoneKeysInRange(model, {0, 10});
  EXPECT_EQ(selectedIndices(model.boneKeyPool), (Indices{0, 1, 2, 3}));
  selectBoneKeysInRange(model, {11, 40});
  EXPECT_EQ(selectedIndices(model.boneKeyPool), (Indices{4})) << "the free record at frame 0 stays out";
  selectBoneKeysInRange(model, {-100, -1});
  EXPECT_TRUE(selectedIndices(model.boneKeyPool).empty());
  selectBoneKeysInRange(model, {20, 10});
  EXPECT_TRUE(selectedIndices(model.boneKeyPool).empty()) << "a reversed range holds no frame";
  selectBoneKeysInRange(model, {-5, 2'000'000'000});
  EXPECT_EQ(selectedIndices(model.boneKeyPool), (Indices{0, 1, 2, 3, 4}));

  selectMorphKeysInRange(model, {15, 15});
  EXPECT_EQ(selectedIndices(model.morphKeyPool), (Indices{3}));
  EXPECT_EQ(selectedIndices(model.boneKeyPool), (Indices{0, 1, 2, 3, 4})) << "another family is left alone";
  selectDisplayIkKeysInRange(model, {0, 0});
  EXPECT_EQ(selectedIndices(model.displayIkKeyPool), (Indices{0}));
}

TEST(RangeSelection, CameraAndLightPoolsEachReplaceOnlyTheirOwnSelection) {
  Scene scene;
  for (std::uint32_t frame : {10u, 20u, 30u}) {
    ASSERT_TRUE(registerCameraKey(scene, frame));
    ASSERT_TRUE(registerLightKey(scene, frame));
  }
  selectCameraKeysInRange(scene, {15, 30});
  EXPECT_EQ(selectedIndices(scene.cameraKeyPool), (Indices{2, 3}));
  EXPECT_EQ(selectedIndices(scene.lightKeyPool), (Indices{1, 2, 3})) << "registration selected them";
  selectLightKeysInRange(scene, {0, 10});
  EXPECT_EQ(selectedIndices(scene.lightKeyPool), (Indices{0, 1}));
  EXPECT_EQ(selectedIndices(scene.cameraKeyPool), (Indices{2, 3}));
}

TEST(VerticalSelection, TheFirstSelectedKeysFrameIsSelectedOnEveryBoneTrack) {
  KeyTestScene t(keyTestModel({"a", "b", "c", "d"}));
  Model& model = *t.model;
  ASSERT_TRUE(registerBoneKey(t.scene, model, 2, 40));  // record 4: first in pool order
  ASSERT_TRUE(registerBoneKey(t.scene, model, 0, 10));  // record 5
  ASSERT_TRUE(registerBoneKey(t.scene, model, 0, 40));  // record 6
  ASSERT_TRUE(registerBoneKey(t.scene, model, 1, 39));  // record 7: near, not at the frame
  ASSERT_TRUE(registerBoneKey(t.scene, model, 3, 41));  // record 8
  ASSERT_TRUE(registerBoneKey(t.scene, model, 3, 40));  // record 9, linked before record 8
  clearKeySelection(model.boneKeyPool);
  EXPECT_FALSE(selectBoneKeysAtSelectedFrame(model));
  EXPECT_TRUE(selectedIndices(model.boneKeyPool).empty());

  model.boneKeyPool.at(5).selected = true;  // frame 10, but record 4 comes first once selected
  model.boneKeyPool.at(4).selected = true;
  EXPECT_TRUE(selectBoneKeysAtSelectedFrame(model));
  EXPECT_EQ(selectedIndices(model.boneKeyPool), (Indices{4, 5, 6, 9})) << "the rest of the selection stays";

  clearKeySelection(model.boneKeyPool);
  model.boneKeyPool.at(1).selected = true;  // a head: frame 0 on every track
  EXPECT_TRUE(selectBoneKeysAtSelectedFrame(model));
  EXPECT_EQ(selectedIndices(model.boneKeyPool), (Indices{0, 1, 2, 3}));
}

TEST(CurveClipboard, CopyTakesTheChosenChannelOfTheFirstSelectedKeyInPoolOrder) {
  KeyTestScene t;
  Model& model = *t.model;
  const InterpolationCurve later{1, 2, 3, 4}, earlier{5, 6, 7, 8};
  ASSERT_TRUE(registerBoneKeyWithValues(t.scene, model, 0, 30, boneKeyWithCurve(kBoneMoveZ, later)));
  ASSERT_TRUE(registerBoneKeyWithValues(t.scene, model, 0, 10, boneKeyWithCurve(kBoneMoveZ, earlier)));
  EXPECT_TRUE(copyCurve(t.scene, kBoneMoveZ));
  EXPECT_EQ(t.scene.curveClipboard, later) << "record 3 comes first in the pool, though at a later frame";

  EXPECT_FALSE(copyCurve(t.scene, kCameraDistance)) << "bone keys have four channels";
  EXPECT_FALSE(copyCurve(t.scene, -1));
  clearKeySelection(model.boneKeyPool);
  EXPECT_FALSE(copyCurve(t.scene, kBoneMoveX));
  EXPECT_EQ(t.scene.curveClipboard, later) << "a copy without a selected key keeps the clipboard";

  t.scene.cameraMode = true;
  CameraKey camera;
  camera.curves.setCurve(kCameraViewAngle, {9, 10, 11, 12});
  ASSERT_TRUE(registerCameraKeyWithValues(t.scene, 5, camera));
  EXPECT_TRUE(copyCurve(t.scene, kCameraViewAngle));
  EXPECT_EQ(t.scene.curveClipboard, (InterpolationCurve{9, 10, 11, 12}));
}

TEST(CurveClipboard, PasteWritesOnlyTheChosenChannelsFourBytesOfEverySelectedKey) {
  KeyTestScene t;
  Model& model = *t.model;
  ASSERT_TRUE(
      registerBoneKeyWithValues(t.scene, model, 1, 10, boneKeyWithCurve(kBoneRotation, {1, 2, 3, 4})));
  ASSERT_TRUE(
      registerBoneKeyWithValues(t.scene, model, 2, 10, boneKeyWithCurve(kBoneRotation, {1, 2, 3, 4})));
  model.boneKeyPool.at(4).selected = false;
  const BoneKey untouched = model.boneKeyPool[4];

  EXPECT_TRUE(pasteCurve(t.scene, kBoneMoveY, {64, 0, 64, 127}));
  const ChannelCurves<kBoneChannelCount>& curves = model.boneKeyPool[3].curves;
  using Bytes = std::array<std::uint8_t, 4>;
  EXPECT_EQ(curves.x1, (Bytes{20, 64, 20, 1}));
  EXPECT_EQ(curves.y1, (Bytes{20, 0, 20, 2}));
  EXPECT_EQ(curves.x2, (Bytes{107, 64, 107, 3}));
  EXPECT_EQ(curves.y2, (Bytes{107, 127, 107, 4}));
  EXPECT_EQ(model.boneKeyPool[4], untouched) << "an unselected key keeps its curves";

  EXPECT_EQ(model.undoHistory.undoRing[model.undoHistory.position].kind, UndoKind::KeyEdit);
  clearKeySelection(model.boneKeyPool);
  const BoneKey before = model.boneKeyPool[3];
  const int position = model.undoHistory.position;
  EXPECT_FALSE(pasteCurve(t.scene, kBoneMoveY, {}));
  EXPECT_EQ(model.boneKeyPool[3], before);
  EXPECT_EQ(model.undoHistory.position, position) << "no step for a paste that writes nothing";

  t.scene.cameraMode = true;
  ASSERT_TRUE(registerCameraKey(t.scene, 20));
  EXPECT_TRUE(pasteCurve(t.scene, kCameraDistance, {30, 40, 50, 60}));
  EXPECT_EQ(t.scene.cameraKeyPool[1].curves.curve(kCameraDistance), (InterpolationCurve{30, 40, 50, 60}));
  EXPECT_EQ(t.scene.cameraKeyPool[1].curves.curve(kCameraViewAngle), InterpolationCurve{});
  EXPECT_FALSE(pasteCurve(t.scene, kCameraChannelCount, {}));
}

}  // namespace
}  // namespace zv
