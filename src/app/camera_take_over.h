// The editing view taking over from the camera: the camera, light and props are sampled at the
// current frame and, in model mode, the view offset and distance are set so that the edited
// model is seen from where the camera looks.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

void takeOverCameraView(Scene& scene, FrameSystems& systems);

}  // namespace zv
