// Dragging a handle of the curve box: the control point follows the mouse on the chosen channel
// of every selected key of the mode; bone keys get one undo step for the whole drag.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// A press within this many pixels of a handle takes it.
inline constexpr int kHandleReach = 5;

// Takes the handle under the press at (x, y), client pixels; false when none is there. In model
// mode the selected bone keys are recorded for undo first.
bool pressCurveHandle(Scene& scene, FrameSystems& systems, int x, int y);

// Moves the held control point to the mouse at (x, y), kept inside the box, on every selected key
// (the current model's bone keys, or the camera keys in camera mode). Nothing while none is held.
void dragCurveHandle(Scene& scene, FrameSystems& systems, int x, int y);

void releaseCurveHandle(FrameSystems& systems);

}  // namespace zv
