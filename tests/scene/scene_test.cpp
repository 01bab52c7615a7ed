#include "scene/document/scene.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

void expectNewSceneCameraAndLight(const Scene& scene) {
  EXPECT_EQ(scene.camera.cameraCentre, (Vec3{0, 10, 0}));
  EXPECT_EQ(scene.camera.cameraAngles, (Vec3{0, 0, 0}));
  EXPECT_EQ(scene.camera.cameraDistance, -35.0f);
  EXPECT_EQ(scene.camera.fieldOfView, 45.0f);
  EXPECT_FALSE(scene.camera.orthographic);
  EXPECT_EQ(scene.light.lightDirection, (Vec3{-0.5f, -1.0f, 0.5f}));
  EXPECT_EQ(scene.light.lightColour, (Vec3{0.602f, 0.602f, 0.602f}));
}

TEST(SceneDocument, StartsAsANewScene) {
  Scene scene;
  expectNewSceneCameraAndLight(scene);
  EXPECT_EQ(scene.frameRateLimit, 60.0f);
  EXPECT_TRUE(scene.cameraMode);
  EXPECT_TRUE(scene.showAxes);
  EXPECT_TRUE(scene.showGroundShadow);
  EXPECT_EQ(currentModel(scene), nullptr);
}

TEST(SceneDocument, ResetRestoresCameraLightAndEmptiesSlots) {
  Scene scene;
  scene.camera.cameraDistance = -10.0f;
  scene.camera.orthographic = true;
  scene.light.lightColour = {1, 0, 0};
  scene.currentFrame = 120;
  scene.modified = true;
  for (int slot = 0; slot < kMaxModels; ++slot) {
    scene.modelSlots[slot] = std::make_unique<Model>();
  }
  scene.currentModel = 99;
  EXPECT_NE(currentModel(scene), nullptr);
  resetScene(scene);
  expectNewSceneCameraAndLight(scene);
  EXPECT_EQ(scene.currentFrame, 0u);
  EXPECT_FALSE(scene.modified);
  for (int slot = 0; slot < kMaxModels; ++slot) {
    EXPECT_EQ(modelInSlot(scene, slot), nullptr);
  }
}

TEST(SceneDocument, SlotAccessOutsideTheSlotsFindsNothing) {
  Scene scene;
  scene.modelSlots[0] = std::make_unique<Model>();
  EXPECT_NE(modelInSlot(scene, 0), nullptr);
  EXPECT_EQ(modelInSlot(scene, -1), nullptr);
  EXPECT_EQ(modelInSlot(scene, kMaxModels), nullptr);
}

}  // namespace
}  // namespace zv
