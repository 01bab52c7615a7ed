// The easing-curve clipboard of the curve box: one channel's curve copied from the selected keys
// and written into the same channel of every selected key. The keys are the camera keys in camera
// mode and the current model's bone keys otherwise; `channel` is the row of the curve list
// (0..2 movement, 3 rotation, 4 distance, 5 view angle; bone keys have only the first four).
#pragma once

#include "scene/document/scene.h"

namespace zv {

// Puts the channel's curve of the first selected key in pool order into the scene's curve
// clipboard. False, keeping the clipboard, when no key is selected or the keys lack the channel.
bool copyCurve(Scene& scene, int channel);

// Writes `curve` into the channel of every selected key; in model mode the keys are kept in a
// key-edit undo step at the current frame first. False, changing nothing, when no key is selected
// or the keys lack the channel.
bool pasteCurve(Scene& scene, int channel, InterpolationCurve curve);

}  // namespace zv
