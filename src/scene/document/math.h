// Vectors, quaternions and matrices shared by animation and drawing.
// Matrices are row-major with row vectors: p' = p x M, translation in the fourth row, and a
// product A x B applies A first. Coordinates are left-handed, +Y up, ground at Y = 0.
#pragma once

#include <cmath>

namespace zv {

// Pi to six decimals, as degree conversions, view angles and quarter turns take it. Their results
// are defined with this value, so it is not the true pi (std::numbers::pi_v, 3.14159274f as a
// float), which the view presets use. Its float is the float nearest 3.141592.
template <typename T>
inline constexpr T kSixDigitPi = static_cast<T>(3.141592);

struct Vec3 {
  float x = 0, y = 0, z = 0;
  bool operator==(const Vec3&) const = default;
};

// x, y, z, w; identity is (0, 0, 0, 1).
struct Quat {
  float x = 0, y = 0, z = 0, w = 1;
  bool operator==(const Quat&) const = default;
};

struct Mat4 {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};  // identity
  bool operator==(const Mat4&) const = default;
};

// The small operations are defined here so that posing, inverse kinematics and skinning inline
// them: each runs hundreds of times per model and frame.
inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 v, float s) {
  return {v.x * s, v.y * s, v.z * s};
}
inline float dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 v) {
  return std::sqrt(dot(v, v));
}
// v / |v|; a zero vector stays zero.
inline Vec3 normalised(Vec3 v) {
  float l = length(v);
  return l > 0.0f ? Vec3{v.x / l, v.y / l, v.z / l} : v;
}

// p x M with w = 1 (a point) and with w = 0 (a direction).
inline Vec3 transformPoint(Vec3 p, const Mat4& m) {
  return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
          p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
          p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}
inline Vec3 transformDirection(Vec3 d, const Mat4& m) {
  return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
          d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
          d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}

// A x B: applies A first, then B.
Mat4 operator*(const Mat4& a, const Mat4& b);

// q1 x q2 with the component formulas the posing and sampling arithmetic is defined by.
inline Quat operator*(Quat a, Quat b) {
  return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
          a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}
inline Mat4 toMatrix(Quat q) {
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

inline Mat4 translation(Vec3 v) {
  Mat4 r;
  r.m[3][0] = v.x;
  r.m[3][1] = v.y;
  r.m[3][2] = v.z;
  return r;
}

Mat4 rotationX(float radians);
Mat4 rotationY(float radians);
Mat4 rotationZ(float radians);

// Left-handed perspective projection, clip z 0..1. Returns false and leaves `out` untouched when
// the near and far planes are closer than 0.01 or sin(fov / 2) is smaller than 0.01 in magnitude.
bool perspective(Mat4& out, float fovRadians, float aspect, float nearPlane, float farPlane);

// Left-handed look-at view matrix. When `up` is parallel to the view direction, world +Y and then
// +Z stand in for it. Returns false and leaves `out` untouched when eye and target coincide or no
// up axis works.
bool lookAt(Mat4& out, Vec3 eye, Vec3 at, Vec3 up);

}  // namespace zv
