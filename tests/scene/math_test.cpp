#include "scene/document/math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zv {
namespace {

constexpr float kPi = 3.14159265f;

void expectNear(const Mat4& actual, const Mat4& expected, float tolerance = 1e-6f) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      EXPECT_NEAR(actual.m[i][j], expected.m[i][j], tolerance) << "element " << i << j;
    }
  }
}

TEST(Perspective, ProjectsFortyFiveDegrees) {
  Mat4 p;
  ASSERT_TRUE(perspective(p, 45.0f / 180.0f * 3.141592f, 0.75f, 1.0f, 1500.0f));
  EXPECT_NEAR(p.m[0][0], 1.810660f, 1e-6f);
  EXPECT_NEAR(p.m[1][1], 2.414214f, 1e-6f);
  EXPECT_NEAR(p.m[2][2], 1.000667f, 1e-6f);
  EXPECT_NEAR(p.m[3][2], -1.000667f, 1e-6f);
  EXPECT_EQ(p.m[2][3], 1.0f);
  EXPECT_EQ(p.m[3][3], 0.0f);
  EXPECT_EQ(p.m[0][1], 0.0f);
}

TEST(Perspective, RefusesDegeneratePlanesAndAngles) {
  Mat4 p = translation({1, 2, 3});
  const Mat4 before = p;
  EXPECT_FALSE(perspective(p, 0.8f, 1.0f, 1.0f, 1.005f));
  EXPECT_FALSE(perspective(p, 0.0f, 1.0f, 1.0f, 100.0f));
  EXPECT_EQ(p, before);
}

TEST(LookAt, BuildsTheViewFromEyeTargetAndUp) {
  Mat4 view;
  ASSERT_TRUE(lookAt(view, {0, 0, -35}, {0, 0, 0}, {0, 1, 0}));
  expectNear(view, translation({0, 0, 35}));
  Vec3 p = transformPoint({1, 2, 0}, view);
  EXPECT_NEAR(p.x, 1.0f, 1e-6f);
  EXPECT_NEAR(p.y, 2.0f, 1e-6f);
  EXPECT_NEAR(p.z, 35.0f, 1e-6f);
}

TEST(LookAt, FallsBackToWorldAxesWhenUpIsParallel) {
  Mat4 view;
  // Looking straight down with up = +Y: +Y fails again, so +Z stands in.
  ASSERT_TRUE(lookAt(view, {0, 10, 0}, {0, 0, 0}, {0, 1, 0}));
  Vec3 right{view.m[0][0], view.m[1][0], view.m[2][0]};
  Vec3 up{view.m[0][1], view.m[1][1], view.m[2][1]};
  EXPECT_NEAR(right.x, 1.0f, 1e-6f);
  EXPECT_NEAR(up.z, 1.0f, 1e-6f);
  // A zero up vector takes +Y when it works.
  ASSERT_TRUE(lookAt(view, {0, 0, -5}, {0, 0, 0}, {0, 0, 0}));
  EXPECT_NEAR(view.m[1][1], 1.0f, 1e-6f);
}

TEST(LookAt, RefusesCoincidentEyeAndTarget) {
  Mat4 view = rotationX(0.3f);
  const Mat4 before = view;
  EXPECT_FALSE(lookAt(view, {1, 1, 1}, {1, 1, 1}, {0, 1, 0}));
  EXPECT_EQ(view, before);
}

TEST(Quaternions, ProductFollowsTheComponentFormulas) {
  Quat a{0.1f, 0.2f, 0.3f, 0.9f};
  Quat b{-0.4f, 0.5f, 0.2f, 0.7f};
  // Worked by hand: x = -0.36 + 0.07 + 0.04 - 0.15, y = 0.45 - 0.02 + 0.14 - 0.12,
  // z = 0.18 + 0.05 + 0.08 + 0.21, w = 0.63 + 0.04 - 0.10 - 0.06.
  Quat r = a * b;
  EXPECT_NEAR(r.x, -0.40f, 1e-6f);
  EXPECT_NEAR(r.y, 0.45f, 1e-6f);
  EXPECT_NEAR(r.z, 0.52f, 1e-6f);
  EXPECT_NEAR(r.w, 0.51f, 1e-6f);
  EXPECT_EQ(a * Quat{}, a);
  // Two quarter turns about Y make the half turn.
  const float half = std::sqrt(0.5f);
  const Quat twice = Quat{0, half, 0, half} * Quat{0, half, 0, half};
  EXPECT_NEAR(twice.y, 1.0f, 1e-6f);
  EXPECT_NEAR(twice.w, 0.0f, 1e-6f);
}

TEST(Quaternions, ConvertToTheRotationMatrices) {
  float s = std::sin(kPi / 4), c = std::cos(kPi / 4);
  expectNear(toMatrix({0, s, 0, c}), rotationY(kPi / 2));
  expectNear(toMatrix({s, 0, 0, c}), rotationX(kPi / 2));
  expectNear(toMatrix({0, 0, s, c}), rotationZ(kPi / 2));
  // Unnormalised quaternions describe the same rotation.
  expectNear(toMatrix({0, 2 * s, 0, 2 * c}), rotationY(kPi / 2));
  // q1 x q2 turns by q2 first, then by q1.
  Quat qx{s, 0, 0, c}, qy{0, s, 0, c};
  expectNear(toMatrix(qx * qy), toMatrix(qy) * toMatrix(qx));
}

TEST(Matrices, RowVectorsApplyTheLeftFactorFirst) {
  // Rotate a point about Y by 90 degrees, then move it: (1, 0, 0) -> (0, 0, -1) -> (0, 5, -1).
  Mat4 m = rotationY(kPi / 2) * translation({0, 5, 0});
  Vec3 p = transformPoint({1, 0, 0}, m);
  EXPECT_NEAR(p.x, 0.0f, 1e-6f);
  EXPECT_NEAR(p.y, 5.0f, 1e-6f);
  EXPECT_NEAR(p.z, -1.0f, 1e-6f);
  Vec3 d = transformDirection({1, 0, 0}, m);
  EXPECT_NEAR(d.y, 0.0f, 1e-6f);
  EXPECT_NEAR(transformPoint({0, 1, 0}, rotationX(kPi / 2)).z, 1.0f, 1e-6f);
  EXPECT_NEAR(transformPoint({1, 0, 0}, rotationZ(kPi / 2)).y, 1.0f, 1e-6f);
}

}  // namespace
}  // namespace zv
