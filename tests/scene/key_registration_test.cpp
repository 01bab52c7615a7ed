#include "scene/keys/key_registration.h"

#include <gtest/gtest.h>

#include <vector>

#include "key_test_models.h"

namespace zv {
namespace {

using test::keyTestModel;
using test::KeyTestScene;

BoneKey boneValues(Vec3 translation, Quat rotation = {}) {
  BoneKey values;
  values.translation = translation;
  values.rotation = rotation;
  return values;
}

void poseBone(Model& model, std::uint32_t bone, Vec3 translation) {
  model.bones[bone].keyTranslation = translation;
}

TEST(BoneKeyRegistration, InsertsInFrameOrderAtTheLowestFreeRecordAndOverwritesInPlace) {
  KeyTestScene t;
  Model& model = *t.model;
  KeyPool<BoneKey>& pool = model.boneKeyPool;
  poseBone(model, 2, {1, 0, 0});
  ASSERT_TRUE(registerBoneKey(t.scene, model, 2, 10));
  poseBone(model, 2, {2, 0, 0});
  ASSERT_TRUE(registerBoneKey(t.scene, model, 2, 5));
  EXPECT_EQ(pool[2].next, 4u);
  EXPECT_EQ(pool[4].prev, 2u);
  EXPECT_EQ(pool[4].next, 3u);
  EXPECT_EQ(pool[3].prev, 4u);
  EXPECT_EQ(pool[3].next, 0u);
  EXPECT_EQ(pool[3].frame, 10u);
  EXPECT_EQ(pool[4].frame, 5u);
  EXPECT_TRUE(pool[3].selected && pool[4].selected);

  model.bones[2].keyRotation = {0, 1, 0, 0};
  poseBone(model, 2, {7, 0, 0});
  const KeyWrite overwrite = registerBoneKey(t.scene, model, 2, 10);
  ASSERT_TRUE(overwrite);
  EXPECT_EQ(pool[3].translation, (Vec3{7, 0, 0}));
  EXPECT_EQ(pool[3].rotation, (Quat{0, 1, 0, 0}));
  EXPECT_EQ(pool[3].prev, 4u);
  EXPECT_EQ(pool.lowestFree(), 5u);
  EXPECT_EQ(model.lastFrame, 10u);
  EXPECT_EQ(overwrite.refusal, std::nullopt);
}

TEST(BoneKeyRegistration, FrameZeroOverwritesTheHeadWithoutTakingARecord) {
  KeyTestScene t;
  poseBone(*t.model, 1, {3, 4, 5});
  ASSERT_TRUE(registerBoneKey(t.scene, *t.model, 1, 0));
  EXPECT_EQ(t.model->boneKeyPool[1].translation, (Vec3{3, 4, 5}));
  EXPECT_TRUE(t.model->boneKeyPool[1].selected);
  EXPECT_EQ(t.model->boneKeyPool.lowestFree(), 3u);
  EXPECT_EQ(t.model->boneKeyPool[1].curves, (ChannelCurves<kBoneChannelCount>{}));
}

TEST(BoneKeyRegistration, AutomaticCurvesFollowTheMovementOnEachChannel) {
  KeyTestScene t;
  Model& model = *t.model;
  const KeyPool<BoneKey>& pool = model.boneKeyPool;
  for (auto [frame, x] : {std::pair{10u, 1.0f}, {20u, 2.0f}, {30u, 1.0f}}) {
    poseBone(model, 0, {x, 0, 0});
    model.bones[0].keyRotation = {0, 0, 0.5f * x, 1};
    ASSERT_TRUE(registerBoneKey(t.scene, model, 0, frame));
  }
  EXPECT_EQ(pool[3].curves.curve(kBoneMoveX), (InterpolationCurve{64, 0, 87, 87}));
  EXPECT_EQ(pool[4].curves.curve(kBoneMoveX), (InterpolationCurve{40, 40, 64, 127}));
  EXPECT_EQ(pool[5].curves.curve(kBoneMoveX), (InterpolationCurve{64, 0, 64, 127}));
  for (std::uint32_t key : {0u, 3u, 4u, 5u}) {
    for (int channel : {kBoneMoveY, kBoneMoveZ, kBoneRotation}) {
      EXPECT_EQ(pool[key].curves.curve(channel), InterpolationCurve{}) << key << " " << channel;
    }
  }
  EXPECT_EQ(pool[0].curves.curve(kBoneMoveX), InterpolationCurve{});

  // Inserting between keys that already continue: the new key ends with an ease-in on the next.
  poseBone(model, 0, {1.5f, 0, 0});
  ASSERT_TRUE(registerBoneKey(t.scene, model, 0, 15));
  EXPECT_EQ(pool[3].curves.curve(kBoneMoveX), (InterpolationCurve{64, 0, 87, 87}));
  EXPECT_EQ(pool[6].curves.curve(kBoneMoveX), (InterpolationCurve{40, 40, 87, 87}));
  EXPECT_EQ(pool[4].curves.curve(kBoneMoveX), (InterpolationCurve{40, 40, 64, 127}));
}

TEST(BoneKeyRegistration, AValueEqualToThePreviousKeyGetsTheStraightCurveAndLeavesNeighboursAlone) {
  KeyTestScene t;
  Model& model = *t.model;
  const KeyPool<BoneKey>& pool = model.boneKeyPool;
  poseBone(model, 0, {1, 0, 0});
  registerBoneKey(t.scene, model, 0, 10);
  poseBone(model, 0, {3, 0, 0});
  registerBoneKey(t.scene, model, 0, 30);
  const BoneKey before10 = pool[3];
  const BoneKey before30 = pool[4];
  poseBone(model, 0, {1, 0, 0});
  registerBoneKey(t.scene, model, 0, 20);
  EXPECT_EQ(pool[5].curves.curve(kBoneMoveX), InterpolationCurve{});
  EXPECT_EQ(pool[3].curves, before10.curves);
  EXPECT_EQ(pool[4].curves, before30.curves);
}

TEST(BoneKeyRegistration, ByNameUsesExplicitValuesCurvesAndFrameOffset) {
  KeyTestScene t(keyTestModel({"センター", "左足", "右足", "左腕"}));
  Model& model = *t.model;
  BoneKey values = boneValues({1, 2, 3}, {0.1f, 0.2f, 0.3f, 0.9f});
  values.curves.setCurve(kBoneRotation, {1, 2, 3, 4});
  ASSERT_TRUE(registerBoneKeyByName(t.scene, model, port::utf8ToCp932("左足"), 5, 100, values));
  const BoneKey& key = model.boneKeyPool[4];
  EXPECT_EQ(key.frame, 105u);
  EXPECT_EQ(key.prev, 1u);
  EXPECT_EQ(key.translation, (Vec3{1, 2, 3}));
  EXPECT_EQ(key.curves, values.curves);
  EXPECT_EQ(model.lastFrame, 105u);

  EXPECT_FALSE(registerBoneKeyByName(t.scene, model, port::utf8ToCp932("右腕"), 5, 0, values));
  EXPECT_FALSE(registerBoneKeyByName(t.scene, model, "", 5, 0, values));
  EXPECT_FALSE(registerBoneKeyByName(t.scene, model, port::utf8ToCp932("左足"), 0xFFFFFFF0u, 0x20, values));
  EXPECT_EQ(model.boneKeyPool.lowestFree(), 5u);
  EXPECT_EQ(model.lastFrame, 105u);
}

TEST(BoneKeyRegistration, MirroredByNameNegatesAndFindsThePartnerByCharacters) {
  // "♂" is 81 89: with the following "E" its trail byte looks like "右" (89 45) to a byte search.
  KeyTestScene t(keyTestModel({"センター", "♂EE足", "右E足", "左E足", "左腕"}));
  Model& model = *t.model;
  const BoneKey values = boneValues({1, 2, 3}, {0.1f, 0.2f, 0.3f, 0.9f});
  ASSERT_TRUE(registerMirroredBoneKeyByName(t.scene, model, port::utf8ToCp932("左E足"), 10, 0, values));
  const KeyPool<BoneKey>& pool = model.boneKeyPool;
  EXPECT_EQ(pool[2].next, 5u);
  EXPECT_EQ(pool[1].next, 0u);
  EXPECT_EQ(pool[5].translation, (Vec3{-1, 2, 3}));
  EXPECT_EQ(pool[5].rotation, (Quat{0.1f, -0.2f, -0.3f, 0.9f}));

  ASSERT_TRUE(registerMirroredBoneKeyByName(t.scene, model, port::utf8ToCp932("右E足"), 10, 0, values));
  EXPECT_EQ(pool[3].next, 6u);
  // No partner: the bone of the given name itself; no such bone either: nothing.
  ASSERT_TRUE(registerMirroredBoneKeyByName(t.scene, model, port::utf8ToCp932("左腕"), 10, 0, values));
  EXPECT_EQ(pool[4].next, 7u);
  EXPECT_FALSE(registerMirroredBoneKeyByName(t.scene, model, port::utf8ToCp932("左手"), 10, 0, values));
}

TEST(BoneKeyRegistration, RegisteringSelectedBonesReselectsAndClearsMovedFlags) {
  KeyTestScene t(keyTestModel({"a", "b", "c"}, 2, 1));
  Model& model = *t.model;
  registerMorphKey(t.scene, model, 1, 3);
  registerDisplayIkKey(t.scene, model, 3);
  registerBoneKey(t.scene, model, 1, 3);
  model.boneSelected = {1, 0, 1};
  model.boneMoved = {1, 1, 1};
  EXPECT_EQ(registerSelectedBones(t.scene, model, 8).written, 2);
  EXPECT_FALSE(model.morphKeyPool[2].selected);
  EXPECT_FALSE(model.displayIkKeyPool[1].selected);
  EXPECT_FALSE(model.boneKeyPool[3].selected);
  EXPECT_EQ(model.boneKeyPool[0].next, 4u);
  EXPECT_EQ(model.boneKeyPool[2].next, 5u);
  EXPECT_TRUE(model.boneKeyPool[4].selected && model.boneKeyPool[5].selected);
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{0, 1, 0}));
}

TEST(MorphKeyRegistration, TheBaseMorphIsNeverKeyed) {
  KeyTestScene t(keyTestModel({"a"}, 3));
  Model& model = *t.model;
  model.morphs[0].weight = 0.5f;
  const KeyWrite base = registerMorphKey(t.scene, model, 0, 10);
  EXPECT_FALSE(base);
  EXPECT_EQ(model.morphKeyPool.extent(), 0u);
  EXPECT_EQ(model.lastFrame, 0u);
  EXPECT_EQ(base.refusal, std::nullopt);

  model.morphs[2].weight = 0.25f;
  ASSERT_TRUE(registerMorphKey(t.scene, model, 2, 10));
  EXPECT_EQ(model.morphKeyPool[2].next, 3u);
  EXPECT_EQ(model.morphKeyPool[3].weight, 0.25f);
  ASSERT_TRUE(registerMorphKeyByName(t.scene, model, "m1", 4, 2, 0.75f));
  EXPECT_EQ(model.morphKeyPool[4].frame, 6u);
  EXPECT_EQ(model.morphKeyPool[1].next, 4u);
  EXPECT_FALSE(registerMorphKeyByName(t.scene, model, "m9", 4, 2, 0.75f));
}

TEST(DisplayIkKeyRegistration, AFullPoolShowsTheMessageAndChangesNothing) {
  KeyTestScene t(keyTestModel({"a"}, 0, 2));
  Model& model = *t.model;
  for (std::uint32_t frame = 1; frame <= 999; ++frame) {
    const KeyWrite written = registerDisplayIkKey(t.scene, model, frame);
    ASSERT_TRUE(written);
    ASSERT_EQ(written.refusal, std::nullopt);
  }
  EXPECT_EQ(model.displayIkKeyPool.lowestFree(), std::nullopt);
  EXPECT_EQ(model.displayIkKeyPool[999].frame, 999u);
  ASSERT_TRUE(registerDisplayIkKey(t.scene, model, 500));  // overwriting needs no record

  const DisplayIkKey last = model.displayIkKeyPool[999];
  const KeyWrite refused = registerDisplayIkKey(t.scene, model, 1000);
  EXPECT_FALSE(refused);
  ASSERT_TRUE(refused.refusal.has_value());
  EXPECT_EQ(refused.refusal->text,
            "登録ポイント数が1000個を越えました\nこれ以上の登録は行えません\n"
            "「ﾌﾚｰﾑ編集」の「不要ﾌﾚｰﾑ削除」を実行して下さい");
  EXPECT_EQ(refused.refusal->caption, "ﾌﾚｰﾑ登録");
  EXPECT_EQ(model.displayIkKeyPool[999], last);
  EXPECT_EQ(model.lastFrame, 999u);
}

TEST(DisplayIkKeyRegistration, TakesFlagsFromTheModelOrByIkBoneName) {
  KeyTestScene t(keyTestModel({"ik0", "ik1", "ik2"}, 0, 3));
  Model& model = *t.model;
  model.visible = false;
  model.ikChains[1].enabled = false;
  ASSERT_TRUE(registerDisplayIkKey(t.scene, model, 4));
  EXPECT_FALSE(model.displayIkKeyPool[1].visible);
  EXPECT_EQ(model.displayIkKeyPool[1].ikEnabled, (std::vector<bool>{true, false, true}));

  const std::vector<IkFlagByName> flags{{"ik2", false}, {"ik0", false}, {"ik2", true}};
  ASSERT_TRUE(registerDisplayIkKeyWithValues(t.scene, model, 4, true, flags));
  EXPECT_TRUE(model.displayIkKeyPool[1].visible);
  EXPECT_EQ(model.displayIkKeyPool[1].ikEnabled, (std::vector<bool>{false, true, false}));
}

TEST(SceneKeyRegistration, CameraLightAndAccessoryKeysRaiseTheScenesLastFrame) {
  KeyTestScene t;
  Scene& scene = t.scene;
  scene.camera.fieldOfView = 30.9f;
  scene.camera.cameraCentre = {1, 2, 3};
  scene.camera.orthographic = true;
  CameraKey custom;
  custom.curves.setCurve(kCameraDistance, {1, 2, 3, 4});
  custom.viewAngle = 60;
  scene.currentFrame = 40;
  ASSERT_TRUE(registerCameraKeyWithValues(scene, 10, custom));
  EXPECT_EQ(scene.cameraKeyPool[1].frame, 50u);
  EXPECT_EQ(scene.cameraKeyPool[1].curves.curve(kCameraDistance), (InterpolationCurve{1, 2, 3, 4}));
  ASSERT_TRUE(registerCameraKey(scene, 50));
  const CameraKey& key = scene.cameraKeyPool[1];
  EXPECT_EQ(key.viewAngle, 30);
  EXPECT_EQ(key.centre, (Vec3{1, 2, 3}));
  EXPECT_TRUE(key.orthographic);
  EXPECT_EQ(key.curves, (ChannelCurves<kCameraChannelCount>{}));
  EXPECT_EQ(scene.lastFrame, 50u);

  scene.light.lightColour = {1, 0, 0};
  ASSERT_TRUE(registerLightKey(scene, 70));
  EXPECT_EQ(scene.lightKeyPool[1].colour, (Vec3{1, 0, 0}));
  LightKey light;
  light.direction = {0, -1, 0};
  ASSERT_TRUE(registerLightKeyWithValues(scene, 5, light));
  EXPECT_EQ(scene.lightKeyPool[0].next, 2u);
  EXPECT_EQ(scene.lightKeyPool[2].frame, 45u);

  AccessoryKey accessory;
  accessory.parentModel = 3;
  accessory.scale = 2;
  scene.currentAccessory = 254;
  ASSERT_TRUE(registerAccessoryKey(scene, 90, accessory));
  EXPECT_EQ(scene.accessoryKeyPools[254][1].parentModel, 3);
  EXPECT_EQ(scene.accessoryKeyPools[254][1].scale, 2.0f);
  EXPECT_EQ(scene.accessoryKeyPools[0].extent(), 0u);
  EXPECT_EQ(scene.lastFrame, 90u);
  EXPECT_EQ(t.model->lastFrame, 0u);
}

}  // namespace
}  // namespace zv
