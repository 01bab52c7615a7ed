// The coordinate axes, the floor grid and the invisible floor that hides what lies under ground.
#pragma once

#include "render/display_device.h"
#include "render/drawing_resources.h"

namespace zv {

// Draws the axes buffer in its vertex colours, then a fully transparent floor quad at Y = 0 that
// only writes depth. Leaves lighting off; the caller turns it on again.
void drawAxes(DisplayDevice& device, const DrawingResources& resources);

}  // namespace zv
