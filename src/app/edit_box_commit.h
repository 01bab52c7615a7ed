// The committing edit boxes: what a number typed into the current-frame, light, view-angle and
// prop boxes does once Enter confirms it.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// Applies the text of edit box `id` (at most its first 7 characters); false for an id that is not
// a committing box. A text that holds no number changes nothing.
bool commitEditBox(Scene& scene, FrameSystems& systems, int id);

}  // namespace zv
