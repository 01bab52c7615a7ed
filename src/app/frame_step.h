// One frame of the 3D view, run once per idle turn of the main loop: the playback clock, sampling
// and posing, the 3D scene into the back buffer, the capture texture and the AVI frame, the
// widget buttons, the overlays and the information text, then the picture in the window.
#pragma once

#include <optional>

#include "app/frame_systems.h"
#include "scene/document/scene.h"
#include "ui/control_ids.h"

namespace zv {

// Reports through systems.ui.
void frameStep(Scene& scene, FrameSystems& systems);

// Ends a running recording where it stands: playback stops and the file is finished.
void stopRecording(Scene& scene, FrameSystems& systems);

// The picture a recording takes of the scene at the playback clock: every track sampled, the 3D
// scene drawn without overlays or text and read back top row first, every pixel opaque. Nothing
// when the device cannot draw.
std::optional<RgbaImage> recordingPicture(Scene& scene, FrameSystems& systems);

}  // namespace zv
