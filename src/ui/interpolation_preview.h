// The interpolation preview: the chosen channel's easing curve of the selected keys, drawn into
// the 128 x 128 preview bitmap, every distinct curve once.
#pragma once

#include <optional>

#include "port/canvas/canvas.h"
#include "scene/document/scene.h"
#include "ui/curve_drawing.h"

namespace zv {

struct PreviewResult {
  bool anySelected = false;
  bool curvesShared = false;  // every selected key has the first one's curve (curve copy relies on it)
  std::optional<CurveHandles> lastHandles;  // of the curve drawn last; none when nothing was drawn
};

// Camera keys in camera mode, else the current model's bone keys, walked in pool order. `channel`
// is the row of the curve list; a channel the keys do not have draws nothing.
PreviewResult drawInterpolationPreview(const Scene& scene, int channel, port::Canvas& preview);

}  // namespace zv
