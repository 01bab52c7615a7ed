// The mouse and keyboard in the 3D view, applied once per frame step after the poll: camera
// drags, the zoom and pan icon, bone picking and box selection, gizmo and widget-strip drags,
// and the keyboard commands.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// The raw 16-bit colour of the selection box (5-6-5) and what it is in the back buffer.
inline constexpr std::uint16_t kSelectionBoxRgb565 = 457;
port::Colour selectionBoxColour();

// A coordinate the window reported as an unsigned 16-bit number (a point left or above the
// client area) as the negative number it stands for.
std::int32_t foldedCoordinate(std::int32_t coordinate);

void applyViewportInput(Scene& scene, FrameSystems& systems);

// Remembers where the pointer stood for the next step's drags.
void keepMousePosition(Scene& scene);

}  // namespace zv
