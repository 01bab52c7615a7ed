#include "anim/curve.h"

namespace zv {

namespace {

constexpr int kBisectionSteps = 7;

// One coordinate of the Bezier at parameter s, with inner control values p1 and p2.
float bezier(float s, float p1, float p2) {
  float rest = 1.0f - s;
  return 3.0f * s * rest * rest * p1 + 3.0f * s * s * rest * p2 + s * s * s;
}

}  // namespace

float evaluateCurve(InterpolationCurve curve, float x) {
  if (curve.x1 == curve.y1 && curve.x2 == curve.y2) {
    return x;
  }
  float controlX1 = curve.x1 / 127.0f;
  float controlX2 = curve.x2 / 127.0f;
  float s = 0.5f;
  float step = 0.5f;
  for (int i = 0; i < kBisectionSteps; ++i) {
    float bezierX = bezier(s, controlX1, controlX2);
    step *= 0.5f;
    if (bezierX == x) {
      break;
    }
    s += bezierX < x ? step : -step;
  }
  return bezier(s, curve.y1 / 127.0f, curve.y2 / 127.0f);
}

}  // namespace zv
