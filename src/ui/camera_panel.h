// The camera panel shows the camera track at the current frame: its view angle and whether it
// looks in perspective; the device takes the matching projection.
#pragma once

#include "port/ui.h"
#include "render/display_device.h"
#include "scene/document/scene.h"

namespace zv {

// Samples the camera track at currentFrame into the live camera, sets the perspective for its
// view angle on the device and shows the angle in the bar and box and the perspective button.
void refreshCameraPanel(Scene& scene, port::Ui& ui, DisplayDevice& device);

// The view angle as box 347 shows it ("%3d").
std::string viewAngleText(float degrees);

}  // namespace zv
