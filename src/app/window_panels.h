// The control panels in the main window: made with the window, laid out on every resize, painted
// with the window's background, and scrolled by the frame editor's row scroll bar.
#pragma once

#include "app/frame_systems.h"
#include "port/canvas/canvas.h"
#include "scene/document/scene.h"

namespace zv {

// Makes the panel bitmaps and lets the panel code lay the window out and list the props.
void createPanels(Scene& scene, FrameSystems& systems);

// Places every control for the panel width (clamped to 250..1000), mode and open sections, then
// puts the 3D view back at its rectangle.
void layoutWindow(Scene& scene, FrameSystems& systems);

void paintWindow(port::Canvas& canvas, Scene& scene, FrameSystems& systems);

// A panel section's "－" (collapse) or "＋" (expand) button: the section's flag changes, the
// sections are shown again for it and the window is laid out. False for any other id.
bool collapseOrExpandPanel(Scene& scene, FrameSystems& systems, int buttonId);

// The row scroll bar moved: the first shown row of the mode's rows moves, and the rows are rebuilt.
void scrollFrameEditorRows(Scene& scene, FrameSystems& systems, port::ScrollCode code, int thumb);

}  // namespace zv
