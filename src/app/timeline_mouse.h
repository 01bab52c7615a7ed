// The mouse in the frame editor, fed with a press position in client pixels: the splitter, the
// group boxes and bone labels, the key grid, the frame-number header and the curve box's handles.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr int kHeaderTop = 145;
inline constexpr int kRowsTop = 160;
inline constexpr int kGridLeft = 73;  // column 0's line in the window
inline constexpr int kMinPanelWidth = 250;
inline constexpr int kMaxPanelWidth = 1000;

struct TimelinePress {
  int x = 0;
  int y = 0;
  bool shift = false;
};

// Acts on a press in the frame editor; false when the press is outside every region of it.
bool timelineMouseDown(Scene& scene, FrameSystems& systems, TimelinePress press);

// The button was released: the splitter and the curve handle are let go.
void timelineMouseUp(FrameSystems& systems);

// The pointer moved to (x, y): the held splitter or curve handle follows it; over the splitter the
// pointer shows that it resizes.
void timelineMouseMove(Scene& scene, FrameSystems& systems, int x, int y);

// The pointer moved to `x` while the splitter is held: the panel width follows within
// 250 .. 1000 and the window is laid out again. Nothing while it is not held.
void dragSplitter(Scene& scene, FrameSystems& systems, int x);

}  // namespace zv
