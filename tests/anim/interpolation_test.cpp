#include "anim/interpolation.h"
#include "anim/sampling.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zv {
namespace {

void expectQuatNear(Quat actual, Quat expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
  EXPECT_FLOAT_EQ(actual.w, expected.w);
}

const Quat kQuarterTurnY{0, 0.70710678f, 0, 0.70710678f};
const Quat kQuarterTurnYNegated{0, -0.70710678f, 0, -0.70710678f};

TEST(Slerp, HalfwayToQuarterTurnTakesTheShorterArcEitherSign) {
  expectQuatNear(slerp({}, kQuarterTurnY, 0.5f), {0, 0.3826834f, 0, 0.9238795f});
  expectQuatNear(slerp({}, kQuarterTurnYNegated, 0.5f), {0, 0.3826834f, 0, 0.9238795f});
  expectQuatNear(slerp({}, kQuarterTurnYNegated, 0.25f), slerp({}, kQuarterTurnY, 0.25f));
}

TEST(Slerp, ParallelQuaternionsReturnTheStart) {
  Quat start{0, 0.6f, 0, 0.8f};
  EXPECT_EQ(slerp(start, start, 0.7f), start);
  EXPECT_EQ(slerp(Quat{}, Quat{0, 0, 0, -1}, 0.5f), Quat{});
}

TEST(CameraInterpolation, EachValueUsesItsOwnCurve) {
  CameraKey prev;
  prev.frame = 10;
  prev.viewAngle = 30;
  prev.orthographic = true;
  CameraKey key;
  key.frame = 20;
  key.centre = {10, 20, 30};
  key.rotation = {1, 2, 3};
  key.distance = -135.0f;
  key.viewAngle = 60;
  key.curves.setCurve(kCameraMoveY, {64, 0, 64, 127});
  key.curves.setCurve(kCameraRotation, {40, 40, 64, 127});
  key.curves.setCurve(kCameraViewAngle, {64, 0, 64, 127});

  LiveCamera camera = interpolateCamera(prev, key, 15.0f);
  EXPECT_FLOAT_EQ(camera.cameraCentre.x, 5.0f);
  EXPECT_FLOAT_EQ(camera.cameraCentre.y, 10.0f + 10.0f * 0.4941407f);
  EXPECT_FLOAT_EQ(camera.cameraCentre.z, 15.0f);
  EXPECT_FLOAT_EQ(camera.cameraAngles.x, 0.7088726f);
  EXPECT_FLOAT_EQ(camera.cameraAngles.z, 3.0f * 0.7088726f);
  EXPECT_FLOAT_EQ(camera.cameraDistance, -85.0f);
  EXPECT_FLOAT_EQ(camera.fieldOfView, 30.0f + 30.0f * 0.4941407f);  // not rounded to whole degrees
  EXPECT_TRUE(camera.orthographic);
}

TEST(CameraInterpolation, KeysOneFrameApartCut) {
  CameraKey prev;
  prev.frame = 10;
  CameraKey key;
  key.frame = 11;
  key.centre = {5, 5, 5};
  EXPECT_EQ(interpolateCamera(prev, key, 10.5f).cameraCentre, prev.centre);
  EXPECT_EQ(interpolateCamera(prev, key, 10.99f).cameraCentre, prev.centre);
  EXPECT_EQ(interpolateCamera(prev, key, 10.9999995f).cameraCentre, key.centre);
}

TEST(LightInterpolation, IsLinear) {
  LightKey prev;
  prev.frame = 0;
  prev.direction = {0, -1, 0};
  prev.colour = {0, 0, 0};
  LightKey key;
  key.frame = 4;
  key.direction = {1, -1, 0};
  key.colour = {1, 0.5f, 0};
  LiveLight light = interpolateLight(prev, key, segmentPosition(0, 4, 1.0f));
  EXPECT_EQ(light.lightDirection, (Vec3{0.25f, -1, 0}));
  EXPECT_EQ(light.lightColour, (Vec3{0.25f, 0.125f, 0}));
}

TEST(CameraProjection, ConvertsTheViewAngle) {
  LiveCamera camera;
  camera.fieldOfView = 45.0f;
  EXPECT_FLOAT_EQ(cameraProjection(camera).fieldOfViewRadians, 0.785398f);  // a quarter of 3.141592
  EXPECT_EQ(cameraProjection(camera).nearPlane, 1.0f);
  EXPECT_EQ(cameraProjection(camera).farPlane, 1500.0f);
}

}  // namespace
}  // namespace zv
