#include "ui/curve_drawing.h"

#include <vector>

namespace zv {
namespace {

constexpr port::Colour kCurveBlue{0, 0, 255};
constexpr port::Colour kHandleRed{255, 0, 0};
constexpr port::Colour kTieBlack{0, 0, 0};
constexpr int kSteps = 100;

float lerp(float a, float b, float t) {
  return a + (b - a) * t;
}

// De Casteljau's construction of the cubic at t, one axis.
float bezier(float p0, float p1, float p2, float p3, float t) {
  const float a = lerp(p0, p1, t);
  const float b = lerp(p1, p2, t);
  const float c = lerp(p2, p3, t);
  return lerp(lerp(a, b, t), lerp(b, c, t), t);
}

void cross(port::Canvas& box, port::Point centre) {
  const port::Point falling[] = {{centre.x - 3, centre.y - 3}, {centre.x + 3, centre.y + 3}};
  const port::Point rising[] = {{centre.x - 3, centre.y + 3}, {centre.x + 3, centre.y - 3}};
  box.polyline(falling, kHandleRed, port::PenStyle::Solid);
  box.polyline(rising, kHandleRed, port::PenStyle::Solid);
}

}  // namespace

void drawCurve(port::Canvas& box, InterpolationCurve curve) {
  std::vector<port::Point> points{{0, 126}};
  for (int step = 1; step < kSteps; ++step) {
    const float t = static_cast<float>(step) / kSteps;
    const float x = bezier(0, curve.x1, curve.x2, kCurveBoxSize, t);
    const float y = bezier(0, curve.y1, curve.y2, kCurveBoxSize, t);
    points.push_back({static_cast<int>(x), static_cast<int>(126 - y)});
  }
  box.polyline(points, kCurveBlue, port::PenStyle::Thin);
}

CurveHandles drawCurveHandles(port::Canvas& box, InterpolationCurve curve) {
  const CurveHandles handles{{curve.x1, 127 - curve.y1}, {curve.x2, 127 - curve.y2}};
  const port::Point firstTie[] = {{0, 127}, handles.first};
  const port::Point secondTie[] = {{127, 0}, handles.second};
  box.polyline(firstTie, kTieBlack, port::PenStyle::Thin);
  box.polyline(secondTie, kTieBlack, port::PenStyle::Thin);
  cross(box, handles.first);
  cross(box, handles.second);
  return handles;
}

}  // namespace zv
