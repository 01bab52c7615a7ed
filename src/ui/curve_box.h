// The curve box below the frame editor: the curves of the selected keys for the channel chosen in
// the curve list, redrawn whenever the grid is, and where its handles sit in the window.
#pragma once

#include "port/ui.h"
#include "scene/document/scene.h"
#include "ui/panels.h"

namespace zv {

inline constexpr int kCurveBoxLeft = 8;
inline constexpr int kCurveBoxTopFromBottom = 135;  // the box's top edge, up from the client bottom

// The row chosen in the curve list: 0..2 movement, 3 rotation, 4 distance, 5 view angle.
int chosenCurveChannel(const port::Ui& ui);

// Redraws the preview bitmap and keeps the handles and whether the selected keys share a curve.
// Outside playback the curve copy button (330) follows that sharing, so a copy is never a guess
// between differing curves, and the linear button (332) follows whether any key is selected.
void refreshCurveBox(const Scene& scene, Panels& panels, port::Ui& ui);

// Where a point of the box lands in the client area of height `clientHeight`.
port::Point curveBoxToWindow(port::Point boxPoint, int clientHeight);

}  // namespace zv
