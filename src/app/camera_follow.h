// Camera-and-light following: the view and the light take the camera and light tracks while
// editing models too. Turning it on hands the editing view over from where the camera stands.
#pragma once

#include "scene/document/scene.h"

namespace zv {

// Sets followCameraLight. Turning it on zeroes the view offset and samples the camera, light and
// loaded accessory tracks at the current frame.
void setCameraLightFollowing(Scene& scene, bool on);

// In model mode, moves the view offset and camera distance so that the editing view, which turns
// about the operated model's centre (or the origin), shows the scene as the sampled camera does;
// the view offset is expected to be zero, as setCameraLightFollowing leaves it. Nothing in
// camera mode, where the view already turns about the camera's centre.
void continueViewFromCamera(Scene& scene);

}  // namespace zv
