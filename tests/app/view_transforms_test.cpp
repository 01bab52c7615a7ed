#include "app/view_transforms.h"

#include <gtest/gtest.h>

#include <memory>
#include <numbers>

#include "port/text.h"

namespace zv {
namespace {

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2.0f;

void expectNear(Vec3 actual, Vec3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(ViewTransforms, ViewRotationTurnsAboutYThenXThenZ) {
  expectNear(transformDirection({1, 0, 0}, viewRotation({kQuarterTurn, kQuarterTurn, 0})), {0, 1, 0});
  expectNear(transformDirection({1, 0, 0}, viewRotation({0, kQuarterTurn, kQuarterTurn})), {0, 0, -1});
  EXPECT_EQ(viewRotation({0, 0, 0}), Mat4{});
}

// Slot 0 holds a three-bone model with the given name in UTF-8, bone 2 selected.
Model& placeNamedModel(Scene& scene, std::string_view utf8Name) {
  auto model = std::make_unique<Model>();
  model->name = port::utf8ToCp932(utf8Name);
  model->bones.resize(3);
  model->bones[0].head = {100, 100, 100};
  model->bones[0].keyTranslation = {1, 2, 3};
  model->bones[2].head = {10, 20, 30};
  model->bones[2].keyTranslation = {0.5f, 0.25f, 0.125f};
  model->selectedBone = 2;
  scene.modelSlots[0] = std::move(model);
  scene.currentModel = 0;
  scene.cameraMode = false;
  return *scene.modelSlots[0];
}

TEST(ViewTransforms, CentreIsTheCameraCentreInCameraModeOrWhenFollowingTheCameraWhilePlaying) {
  Scene scene;
  scene.camera.cameraCentre = {4, 5, 6};
  EXPECT_EQ(worldCentre(scene), (Vec3{4, 5, 6}));
  placeNamedModel(scene, "モデル");
  scene.followModelCentre = true;
  scene.followCameraLight = true;
  EXPECT_EQ(worldCentre(scene), (Vec3{1, 2, 3}));
  scene.playing = true;
  EXPECT_EQ(worldCentre(scene), (Vec3{4, 5, 6}));
}

TEST(ViewTransforms, CentreIsTheOriginUnlessFollowingAModel) {
  Scene scene;
  scene.cameraMode = false;
  scene.followModelCentre = true;
  EXPECT_EQ(worldCentre(scene), Vec3{});
  placeNamedModel(scene, "モデル");
  scene.followModelCentre = false;
  EXPECT_EQ(worldCentre(scene), Vec3{});
}

TEST(ViewTransforms, FollowingAModelCentresOnItsRootTranslation) {
  Scene scene;
  placeNamedModel(scene, "ダミーボーンX");
  scene.followModelCentre = true;
  EXPECT_EQ(worldCentre(scene), (Vec3{1, 2, 3}));
}

TEST(ViewTransforms, TheDummyBoneModelCentresOnItsSelectedBone) {
  Scene scene;
  Model& model = placeNamedModel(scene, "ダミーボーン");
  scene.followModelCentre = true;
  EXPECT_EQ(worldCentre(scene), (Vec3{10.5f, 20.25f, 30.125f}));
  // Bone 0 selected: its key translation alone, not its head plus the translation.
  model.selectedBone = 0;
  EXPECT_EQ(worldCentre(scene), (Vec3{1, 2, 3}));
  model.selectedBone = -1;
  EXPECT_EQ(worldCentre(scene), (Vec3{1, 2, 3}));
  model.selectedBone = 3;
  EXPECT_EQ(worldCentre(scene), (Vec3{1, 2, 3}));
}

TEST(ViewTransforms, GroundShadowMatrixFlattensOntoTheLiftedGround) {
  Mat4 expected;
  expected.m[1][0] = -0.5f;
  expected.m[1][1] = 0.0f;
  expected.m[1][2] = 0.5f;
  expected.m[3][1] = 0.1f;
  EXPECT_EQ(groundShadowMatrix({-0.5f, -1.0f, 0.5f}), expected);
  const Vec3 flattened = transformPoint({1, 2, 3}, groundShadowMatrix({-0.5f, -1.0f, 0.5f}));
  EXPECT_EQ(flattened, (Vec3{0.0f, 0.1f, 4.0f}));
}

TEST(ViewTransforms, GroundShadowNeedsADownwardLightAndAShadowingMode) {
  Scene scene;
  scene.editMode = EditMode::None;
  EXPECT_TRUE(groundShadowShown(scene));
  scene.light.lightDirection.y = 0.0f;
  EXPECT_FALSE(groundShadowShown(scene));
  scene.light.lightDirection.y = 0.5f;
  scene.playing = true;
  EXPECT_FALSE(groundShadowShown(scene));

  scene.light.lightDirection.y = -1.0f;
  scene.playing = false;
  for (EditMode selecting : {EditMode::Select, EditMode::BoxSelect}) {
    scene.editMode = selecting;
    EXPECT_FALSE(groundShadowShown(scene));
  }
  scene.playing = true;
  EXPECT_TRUE(groundShadowShown(scene));
  scene.showGroundShadow = false;
  EXPECT_FALSE(groundShadowShown(scene));
}

TEST(ViewTransforms, ABackgroundVideoHidesTheShadowOnlyWhileEditing) {
  Scene scene;
  scene.editMode = EditMode::Move;
  scene.backgroundVideoShown = 1;
  EXPECT_FALSE(groundShadowShown(scene));
  scene.playing = true;
  EXPECT_TRUE(groundShadowShown(scene));
}

TEST(ViewTransforms, EdgesShowWhilePlayingOrWithoutASelectionTool) {
  Scene scene;
  EXPECT_FALSE(edgesShown(scene));
  scene.editMode = EditMode::BoxSelect;
  EXPECT_FALSE(edgesShown(scene));
  scene.playing = true;
  EXPECT_TRUE(edgesShown(scene));
  scene.playing = false;
  for (EditMode mode : {EditMode::None, EditMode::Rotate, EditMode::Move, EditMode::GizmoDrag}) {
    scene.editMode = mode;
    EXPECT_TRUE(edgesShown(scene));
  }
}

TEST(ViewTransforms, OrthographicProjectionScalesByDistanceAndAspect) {
  // 2 / 35 across; 384 / 512 of that up.
  const Mat4 projection = orthographicProjection(-35.0f, 512, 384);
  EXPECT_NEAR(projection.m[0][0], 0.0571429f, 1e-7f);
  EXPECT_NEAR(projection.m[1][1], 0.0428571f, 1e-7f);
  EXPECT_EQ(projection.m[2][2], 0.0013f);
  Mat4 rest = projection;
  rest.m[0][0] = rest.m[1][1] = rest.m[2][2] = 1.0f;
  EXPECT_EQ(rest, Mat4{});
}

TEST(ViewTransforms, ViewLooksAlongZFromTheOffsetEye) {
  Scene scene;
  scene.viewOffsetX = 2;
  scene.viewOffsetY = 3;
  scene.camera.cameraDistance = -35;
  const Mat4 view = viewLookAt(scene);
  expectNear(transformPoint({2, 3, -35}, view), {0, 0, 0});
  expectNear(transformPoint({2, 3, 45}, view), {0, 0, 80});
  expectNear(transformPoint({3, 5, -35}, view), {1, 2, 0});
}

TEST(ViewTransforms, ProjectionToTheBackBufferTruncatesTowardZero) {
  const Mat4 identity;
  ASSERT_TRUE(projectToBackBuffer({0.5f, 0.5f, 0}, identity, 512, 384));
  EXPECT_EQ(projectToBackBuffer({0.5f, 0.5f, 0}, identity, 512, 384)->x, 384);
  EXPECT_EQ(projectToBackBuffer({0.5f, 0.5f, 0}, identity, 512, 384)->y, 96);
  // Half of an odd size truncates first; -0.5 truncates to 0, not -1.
  EXPECT_EQ(projectToBackBuffer({0, 0, 0}, identity, 101, 99)->x, 50);
  EXPECT_EQ(projectToBackBuffer({0, 0, 0}, identity, 101, 99)->y, 49);
  EXPECT_EQ(projectToBackBuffer({-1.01f, 0, 0}, identity, 100, 100)->x, 0);
  EXPECT_EQ(projectToBackBuffer({-1.2f, 1.2f, 0}, identity, 100, 100)->x, -10);
  EXPECT_EQ(projectToBackBuffer({-1.2f, 1.2f, 0}, identity, 100, 100)->y, -10);
  Mat4 scaledW;
  scaledW.m[3][3] = 2.0f;
  EXPECT_EQ(projectToBackBuffer({1, 0, 0}, scaledW, 100, 100)->x, 75);
}

TEST(ViewTransforms, PointsBehindTheEyeOrTooFarOutHaveNoPixel) {
  Mat4 behind;
  behind.m[3][3] = -1.0f;
  EXPECT_FALSE(projectToBackBuffer({0, 0, 0}, behind, 512, 384));
  behind.m[3][3] = 0.0f;
  EXPECT_FALSE(projectToBackBuffer({0, 0, 0}, behind, 512, 384));
  Mat4 nearEye;
  nearEye.m[3][3] = 1e-30f;
  EXPECT_FALSE(projectToBackBuffer({1, 0, 0}, nearEye, 512, 384));
}

TEST(ViewTransforms, CaptureSourceIsTheWholeBufferOrACentredBand) {
  using enum CaptureMode;
  EXPECT_EQ(captureSourceRect(Off, 1024, 384, 512, 384), port::Rect{});
  EXPECT_EQ(captureSourceRect(WholeView, 1024, 384, 512, 384), (port::Rect{0, 0, 1024, 384}));
  // half = 384 x 384 / 512 = 288 around 1025 / 2 = 512.
  EXPECT_EQ(captureSourceRect(CentredView, 1025, 384, 512, 384), (port::Rect{224, 0, 800, 384}));
  EXPECT_EQ(captureSourceRect(CentredViewOrVideo, 1025, 384, 512, 384), (port::Rect{224, 0, 800, 384}));
  // A band wider than the buffer takes the whole width.
  EXPECT_EQ(captureSourceRect(CentredView, 512, 384, 512, 384), (port::Rect{0, 0, 512, 384}));
  EXPECT_EQ(captureSourceRect(CentredView, 512, 384, 0, 384), (port::Rect{0, 0, 512, 384}));
}

}  // namespace
}  // namespace zv
