// Easing curves between two keys: a cubic Bezier from (0, 0) to (1, 1) whose inner control
// points are a key's InterpolationCurve bytes divided by 127.
#pragma once

#include "scene/keys/key_records.h"

namespace zv {

// The curve's y at x in 0..1. The diagonal (x1 = y1 and x2 = y2) returns x unchanged; any other
// curve is inverted by a fixed 7-step bisection in 32-bit floats, so its parameter lands on a
// multiple of 1/256 and never reaches 0 or 1: stored motions play back identically only with
// exactly this arithmetic.
float evaluateCurve(InterpolationCurve curve, float x);

}  // namespace zv
