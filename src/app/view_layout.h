// Where the 3D view sits in the main window and how its picture maps onto it: the view keeps the
// output picture's aspect inside the space right of the control column and above the timeline.
#pragma once

#include "port/ui.h"
#include "scene/document/math.h"

namespace zv {

// Client pixels below the view kept for the timeline, and the gap right of the control column.
inline constexpr int kTimelineReserve = 160;
inline constexpr int kPanelGap = 9;

// The 3D view rectangle in client coordinates: the largest rectangle of the output's aspect in
// the free space, centred across it or stretched to its full width. Empty when there is no output
// size or no free space to place it in.
port::Rect viewRectangle(int clientWidth, int clientHeight, int panelWidth, int outputWidth,
                         int outputHeight);

// The perspective projection of the view for a vertical field of view in degrees; the identity
// when the output size or the angle leaves no projection.
Mat4 layoutProjection(float fieldOfViewDegrees, int outputWidth, int outputHeight);

// How far the view rectangle stretches the back buffer, in window pixels per back-buffer pixel
// times the overlay scale: the factor that maps sprite and gizmo sizes to window pixels.
struct ViewStretch {
  float xRatio = 1;  // view width / back-buffer width x overlay scale
  float yRatio = 1;  // view height / back-buffer height x overlay scale
};

// The stretch of `view` over a back buffer of the given size; 1, 1 for an empty back buffer.
ViewStretch viewStretch(port::Rect view, int backBufferWidth, int backBufferHeight, float overlayScale);

}  // namespace zv
