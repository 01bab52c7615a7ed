// Moving the current frame from the frame editor: the previous and next frame buttons, the frame
// typed into the current-frame box, the frame scroll bar and the button that brings the current
// frame back into view.
#pragma once

#include <cstdint>

#include "app/frame_systems.h"
#include "port/ui.h"
#include "scene/document/scene.h"

namespace zv {

// The largest frame the current-frame box accepts.
inline constexpr std::int64_t kLastEditableFrame = INT32_MAX;

// Records a pose step for every model with bones posed by hand, moves to `frame` (clamped to
// 0 .. kLastEditableFrame), samples every model there, refreshes the panels and scrolls the grid
// so the frame lands mid-grid.
void goToFrame(Scene& scene, FrameSystems& systems, std::int64_t frame);
void nextFrame(Scene& scene, FrameSystems& systems);
// Stays at 0 at the first frame.
void previousFrame(Scene& scene, FrameSystems& systems);

// The first visible frame that puts `frame` mid-grid at the panel width: never below 0.
std::uint32_t centredFirstFrame(std::uint32_t frame, int panelWidth);

// Scrolls the grid back to the current frame.
void showCurrentFrame(Scene& scene, FrameSystems& systems);

// The first visible frame a scroll-bar move leads to: one frame per line, one page per page, the
// thumb's position while it is dragged; never below 0. Other codes leave it.
std::uint32_t scrolledFirstFrame(std::uint32_t first, port::ScrollCode code, int thumb, int page);
// The frame scroll bar moved; a line step while the pointer is over the 3D view changes the camera
// distance by one instead (nearer for a step left).
void timelineScroll(Scene& scene, FrameSystems& systems, port::ScrollCode code, int thumb);

}  // namespace zv
