#include <gtest/gtest.h>

#include <memory>

#include "anim/sampling.h"
#include "track_builder.h"

namespace zv {
namespace {

using test::appendKey;

void playAt(Scene& scene, float frame) {
  scene.currentTime = frame / kFramesPerSecond;
  advanceScene(scene);
}

CameraKey cameraKey(std::uint32_t frame, Vec3 centre) {
  CameraKey key;
  key.frame = frame;
  key.centre = centre;
  return key;
}

TEST(ScenePlayback, CameraKeysOneFrameApartNeverShowAnInBetween) {
  auto scene = std::make_unique<Scene>();
  appendKey(scene->cameraKeyPool, 0, cameraKey(10, {0, 0, 0}));
  appendKey(scene->cameraKeyPool, 0, cameraKey(11, {8, 8, 8}));
  seekScene(*scene);
  for (float frame : {10.0f, 10.25f, 10.5f, 10.99f}) {
    playAt(*scene, frame);
    EXPECT_EQ(scene->camera.cameraCentre, (Vec3{0, 0, 0})) << frame;
  }
  playAt(*scene, 11.0f);
  EXPECT_EQ(scene->camera.cameraCentre, (Vec3{8, 8, 8}));
  playAt(*scene, 12.0f);
  EXPECT_FALSE(scene->cameraTrackActive);
}

TEST(ScenePlayback, CameraAndLightFollowTheirTracksOnlyInCameraModeOrWhenFollowing) {
  auto scene = std::make_unique<Scene>();
  appendKey(scene->cameraKeyPool, 0, cameraKey(10, {10, 0, 0}));
  LightKey light;
  light.frame = 10;
  light.colour = {1, 1, 1};
  appendKey(scene->lightKeyPool, 0, light);

  scene->cameraMode = false;
  seekScene(*scene);
  playAt(*scene, 5);
  EXPECT_EQ(scene->camera.cameraCentre, (Vec3{0, 10, 0}));

  scene->followCameraLight = true;
  seekScene(*scene);
  playAt(*scene, 5);
  EXPECT_FLOAT_EQ(scene->camera.cameraCentre.x, 5.0f);
  EXPECT_FLOAT_EQ(scene->light.lightColour.x, 0.801f);
}

TEST(ScenePlayback, AccessoriesStepAndOnlyLoadedSlotsPlay) {
  auto scene = std::make_unique<Scene>();
  AccessoryKey moved;
  moved.frame = 10;
  moved.position = {1, 2, 3};
  moved.parentModel = 4;
  moved.parentBone = 2;
  moved.visible = false;
  moved.shadow = true;
  moved.scale = 2.0f;
  for (int slot : {0, 1}) {
    appendKey(scene->accessoryKeyPools[slot], 0, moved);
  }
  scene->accessories[0].loaded = true;
  seekScene(*scene);
  EXPECT_TRUE(scene->accessoryTrackActive[0]);
  EXPECT_FALSE(scene->accessoryTrackActive[1]);

  playAt(*scene, 9.9f);
  EXPECT_EQ(scene->accessories[0].position, Vec3{});
  EXPECT_TRUE(scene->accessories[0].visible);
  playAt(*scene, 10.0f);
  const AccessoryState& played = scene->accessories[0];
  EXPECT_EQ(played.position, (Vec3{1, 2, 3}));
  EXPECT_EQ(played.parentModel, 4);
  EXPECT_EQ(played.parentBone, 2);
  EXPECT_FALSE(played.visible);
  EXPECT_EQ(played.scale, 2.0f);
  EXPECT_FALSE(played.shadow);  // the prop's own setting, not keyed
  EXPECT_EQ(scene->accessories[1].position, Vec3{});
}

TEST(SceneEditSampling, LightInterpolatesAccessoryHoldsCameraUsesCurves) {
  auto scene = std::make_unique<Scene>();
  LightKey light;
  light.frame = 20;
  light.direction = {0.5f, -1, 0.5f};
  appendKey(scene->lightKeyPool, 0, light);
  AccessoryKey accessory;
  accessory.frame = 20;
  accessory.rotation = {0, 1, 0};
  appendKey(scene->accessoryKeyPools[3], 0, accessory);
  scene->accessories[3].loaded = true;
  CameraKey camera = cameraKey(20, {0, 10, 0});
  camera.distance = -35.0f;
  camera.viewAngle = 25;
  appendKey(scene->cameraKeyPool, 0, camera);

  sampleLightAtFrame(*scene, 10);
  EXPECT_EQ(scene->light.lightDirection, (Vec3{0, -1, 0.5f}));
  sampleAccessoryAtFrame(*scene, 3, 19);
  EXPECT_EQ(scene->accessories[3].rotation, Vec3{});
  sampleAccessoryAtFrame(*scene, 3, 200);
  EXPECT_EQ(scene->accessories[3].rotation, (Vec3{0, 1, 0}));
  sampleCameraAtFrame(*scene, 15);
  EXPECT_FLOAT_EQ(scene->camera.fieldOfView, 30.0f);
}

TEST(ScenePlayback, EveryLoadedModelIsSampled) {
  auto scene = std::make_unique<Scene>();
  for (int slot : {0, 99}) {
    scene->modelSlots[slot] = std::make_unique<Model>(test::modelWithTracks({0}));
    appendKey(scene->modelSlots[slot]->boneKeyPool, 0, test::boneKey(30, {}, Quat{0, 1, 0, 0}));
  }
  seekScene(*scene);
  playAt(*scene, 30);
  EXPECT_EQ(scene->modelSlots[0]->bones[0].keyRotation, (Quat{0, 1, 0, 0}));
  EXPECT_EQ(scene->modelSlots[99]->bones[0].keyRotation, (Quat{0, 1, 0, 0}));
}

// Models in every third slot, each turning by its own amount between frames 10 and 20.
std::unique_ptr<Scene> sceneOfTurningModels() {
  auto scene = std::make_unique<Scene>();
  for (int slot = 0; slot < 40; slot += 3) {
    scene->modelSlots[slot] = std::make_unique<Model>(test::modelWithTracks({0, 0}));
    const float turn = static_cast<float>(slot) * 0.01f;
    appendKey(scene->modelSlots[slot]->boneKeyPool, 1, test::boneKey(10, {}, Quat{turn, 0, 0, 1}));
    appendKey(scene->modelSlots[slot]->boneKeyPool, 1, test::boneKey(20, {}, Quat{0, turn, 0, 1}));
  }
  seekScene(*scene);
  return scene;
}

TEST(ScenePlayback, ModelsSampledOnThePoolGetTheirOwnKeys) {
  std::unique_ptr<Scene> together = sceneOfTurningModels();
  std::unique_ptr<Scene> oneByOne = sceneOfTurningModels();
  port::WorkerPool pool(3);
  for (float frame : {10.0f, 13.5f, 20.0f}) {
    together->currentTime = oneByOne->currentTime = frame / kFramesPerSecond;
    advanceScene(*together, &pool);
    advanceScene(*oneByOne);
    for (int slot = 0; slot < 40; slot += 3) {
      EXPECT_EQ(together->modelSlots[slot]->bones[1].keyRotation,
                oneByOne->modelSlots[slot]->bones[1].keyRotation)
          << slot << " " << frame;
    }
  }
  EXPECT_NE(together->modelSlots[3]->bones[1].keyRotation, together->modelSlots[6]->bones[1].keyRotation);
}

}  // namespace
}  // namespace zv
