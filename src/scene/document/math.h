// Vectors, quaternions and matrices shared by animation and drawing.
// Matrices are row-major with row vectors: p' = p x M, translation in the fourth row, and a
// product A x B applies A first. Coordinates are left-handed, +Y up, ground at Y = 0.
#pragma once

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

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 v, float s);
float dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
float length(Vec3 v);
// v / |v|; a zero vector stays zero.
Vec3 normalised(Vec3 v);

// p x M with w = 1 (a point) and with w = 0 (a direction).
Vec3 transformPoint(Vec3 p, const Mat4& m);
Vec3 transformDirection(Vec3 d, const Mat4& m);

// A x B: applies A first, then B.
Mat4 operator*(const Mat4& a, const Mat4& b);

// q1 x q2 with the component formulas the posing and sampling arithmetic is defined by.
Quat operator*(Quat q1, Quat q2);
Mat4 toMatrix(Quat q);

Mat4 translation(Vec3 v);
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
