// The panels' track bars: a face bar sets the weight of its group's chosen morph; the camera and
// light bars set the value their box shows, as typing it there would.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// Applies a move of track bar `id` to `position`; false for an id that is no panel track bar. A
// face bar without a chosen morph, or without a current model, changes nothing.
bool moveTrackBar(Scene& scene, FrameSystems& systems, int id, int position);

}  // namespace zv
