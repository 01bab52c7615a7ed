// Drawing one easing curve in a 128 x 128 box: the curve as a blue line and its two control
// points as red crosses tied to the corners, y growing upward.
#pragma once

#include "port/canvas/canvas.h"
#include "scene/keys/key_records.h"

namespace zv {

inline constexpr int kCurveBoxSize = 128;

// Where the two control points were drawn, in box pixels, for hit tests.
struct CurveHandles {
  port::Point first;
  port::Point second;
};

// The Bezier from (0, 0) over the control points to (128, 128), evaluated at t = 0.01 .. 0.99 by
// repeated linear interpolation and joined from (0, 126). Draws over what the box holds.
void drawCurve(port::Canvas& box, InterpolationCurve curve);
CurveHandles drawCurveHandles(port::Canvas& box, InterpolationCurve curve);

}  // namespace zv
