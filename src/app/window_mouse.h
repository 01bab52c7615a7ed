// The mouse over the main window: the frame editor's presses and splitter drags, the wheel's zoom
// and the pointer position the 3D view's input reads.
#pragma once

#include "app/frame_systems.h"
#include "port/window_host.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr float kWheelDistancePerUnit = 0.05f;  // one notch of 120 moves the eye by 6

void handleMouse(Scene& scene, FrameSystems& systems, const port::MouseEvent& event);
void handleKey(FrameSystems& systems, const port::KeyEvent& event);

}  // namespace zv
