// What the mouse is over in the 3D view: the zoom and pan icon, the widget strips and the rotate
// or move gizmo of the selected bone.
#pragma once

#include "app/view_geometry.h"
#include "scene/document/scene.h"

namespace zv {

// The zone under (scene.mouseX, scene.mouseY); later tests override earlier ones, so a gizmo
// drawn over a strip button wins. Nothing when the pointer is over none of them.
HoverZone hoverZoneAt(const Scene& scene, const ViewGeometry& geometry);

}  // namespace zv
