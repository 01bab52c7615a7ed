// Ending playback on the editing side, whether the play button or the end of the range stops it.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// Gives back every control and menu item playback disabled, in the state it had before. With the
// stop-frame option the current frame becomes the frame playback reached; then every model (and in
// camera mode the camera, light and props) is sampled at the current frame, a following camera
// hands its view to the editing view, and the grid and background video follow.
void stopPlayback(Scene& scene, FrameSystems& systems);

}  // namespace zv
