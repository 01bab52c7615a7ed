// The face panel's track bars: each sets the weight of its group's chosen morph.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// Applies a move of track bar `id` to `position` (the weight x 100); false for an id that is not
// a morph bar. A bar without a chosen morph, or without a current model, changes nothing.
bool moveTrackBar(Scene& scene, int id, int position);

}  // namespace zv
