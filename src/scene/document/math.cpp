#include "scene/document/math.h"

#include <cmath>

namespace zv {

Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 v, float s) {
  return {v.x * s, v.y * s, v.z * s};
}
float dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float length(Vec3 v) {
  return std::sqrt(dot(v, v));
}

Vec3 normalised(Vec3 v) {
  float l = length(v);
  return l > 0.0f ? Vec3{v.x / l, v.y / l, v.z / l} : v;
}

Vec3 transformPoint(Vec3 p, const Mat4& m) {
  return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
          p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
          p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

Vec3 transformDirection(Vec3 d, const Mat4& m) {
  return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
          d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
          d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}

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

Quat operator*(Quat a, Quat b) {
  return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
          a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Mat4 toMatrix(Quat q) {
  float s = 2.0f / (q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
  Mat4 r;
  r.m[0][0] = 1.0f - s * (q.y * q.y + q.z * q.z);
  r.m[0][1] = s * (q.x * q.y + q.w * q.z);
  r.m[0][2] = s * (q.x * q.z - q.w * q.y);
  r.m[1][0] = s * (q.x * q.y - q.w * q.z);
  r.m[1][1] = 1.0f - s * (q.x * q.x + q.z * q.z);
  r.m[1][2] = s * (q.y * q.z + q.w * q.x);
  r.m[2][0] = s * (q.x * q.z + q.w * q.y);
  r.m[2][1] = s * (q.y * q.z - q.w * q.x);
  r.m[2][2] = 1.0f - s * (q.x * q.x + q.y * q.y);
  return r;
}

Mat4 translation(Vec3 v) {
  Mat4 r;
  r.m[3][0] = v.x;
  r.m[3][1] = v.y;
  r.m[3][2] = v.z;
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
