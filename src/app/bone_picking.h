// Choosing bones in the 3D view by their markers: a click picks the marker under the pointer and
// cycles through markers that overlap, a box selects every marker inside it.
#pragma once

#include "port/rect.h"
#include "scene/document/model.h"

namespace zv {

// A click at back-buffer pixel (x, y) on the markers of bones with a keyframe track. Without
// Shift the first hit after the selected bone becomes the only selection, wrapping to the first
// hit; with Shift every hit toggles. Misses change nothing.
void pickBones(Model& model, int x, int y, bool shift);

// Selects the bones whose markers lie strictly inside `box` (back-buffer pixels); the others are
// deselected unless `keepOthers`.
void selectBonesInBox(Model& model, port::Rect box, bool keepOthers);

// After a box selection: the selected bone follows what the box left selected.
void settleBoxSelection(Model& model, bool shift);

}  // namespace zv
