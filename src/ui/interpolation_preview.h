// The interpolation preview: the chosen channel's easing curve of the selected keys, drawn into
// the 128 x 128 preview bitmap, every distinct curve once.
#pragma once

#include "port/canvas/canvas.h"
#include "scene/document/scene.h"

namespace zv {

struct PreviewResult {
  bool anySelected = false;
  bool curvesShared = false;  // every selected key has the first one's curve (curve copy relies on it)
};

// Camera keys in camera mode, else the current model's bone keys, walked in pool order. `channel`
// is the row of the curve list; a channel the keys do not have draws nothing.
PreviewResult drawInterpolationPreview(Scene& scene, int channel, port::Canvas& preview);

}  // namespace zv
