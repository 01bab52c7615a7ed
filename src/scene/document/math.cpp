#include "scene/document/math.h"

#include <cmath>

namespace zv {

Mat4 operator*(const Mat4& a, const Mat4& b) {
  Mat4 r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      r.m[i][j] =
          a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
    }
  }
  return r;
}

Mat4 rotationX(float a) {
  Mat4 r;
  r.m[1][1] = std::cos(a);
  r.m[1][2] = std::sin(a);
  r.m[2][1] = -std::sin(a);
  r.m[2][2] = std::cos(a);
  return r;
}

Mat4 rotationY(float a) {
  Mat4 r;
  r.m[0][0] = std::cos(a);
  r.m[0][2] = -std::sin(a);
  r.m[2][0] = std::sin(a);
  r.m[2][2] = std::cos(a);
  return r;
}

Mat4 rotationZ(float a) {
  Mat4 r;
  r.m[0][0] = std::cos(a);
  r.m[0][1] = std::sin(a);
  r.m[1][0] = -std::sin(a);
  r.m[1][1] = std::cos(a);
  return r;
}

bool perspective(Mat4& out, float fovRadians, float aspect, float nearPlane, float farPlane) {
  float half = fovRadians / 2.0f;
  if (std::fabs(farPlane - nearPlane) < 0.01f || std::fabs(std::sin(half)) < 0.01f) {
    return false;
  }
  float cotangent = std::cos(half) / std::sin(half);
  float q = farPlane / (farPlane - nearPlane);
  out = Mat4{};
  out.m[0][0] = aspect * cotangent;
  out.m[1][1] = cotangent;
  out.m[2][2] = q;
  out.m[2][3] = 1.0f;
  out.m[3][2] = -q * nearPlane;
  out.m[3][3] = 0.0f;
  return true;
}

namespace {

// `up` with its component along `view` removed, normalised; false when too little is left.
bool orthogonalUp(Vec3 up, Vec3 view, Vec3& result) {
  result = up - view * dot(up, view);
  float l = length(result);
  if (l < 1e-6f) {
    return false;
  }
  result = {result.x / l, result.y / l, result.z / l};
  return true;
}

}  // namespace

bool lookAt(Mat4& out, Vec3 eye, Vec3 at, Vec3 up) {
  Vec3 view = at - eye;
  float viewLength = length(view);
  if (viewLength < 1e-6f) {
    return false;
  }
  view = {view.x / viewLength, view.y / viewLength, view.z / viewLength};
  Vec3 upAxis;
  if (!orthogonalUp(up, view, upAxis) && !orthogonalUp({0, 1, 0}, view, upAxis) &&
      !orthogonalUp({0, 0, 1}, view, upAxis)) {
    return false;
  }
  Vec3 right = cross(upAxis, view);
  out = Mat4{};
  const Vec3 columns[3] = {right, upAxis, view};
  for (int c = 0; c < 3; ++c) {
    out.m[0][c] = columns[c].x;
    out.m[1][c] = columns[c].y;
    out.m[2][c] = columns[c].z;
    out.m[3][c] = -dot(eye, columns[c]);
  }
  return true;
}

}  // namespace zv
