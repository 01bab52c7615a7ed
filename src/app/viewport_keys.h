// The keyboard in the 3D view: frame stepping with the arrows, the tool keys, undo and redo,
// registering, the view presets and Esc to stop a recording.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// The arrow keys repeat after being held this long.
inline constexpr float kArrowRepeatDelaySeconds = 0.4f;

// Acts on the keys as the last poll saw them. Keys typed into a text box are the box's own: only
// Esc acts while one holds the focus.
void applyViewportKeys(Scene& scene, FrameSystems& systems);

}  // namespace zv
