// The recording's picture of each frame step: the 3D scene in the back buffer, before any overlay
// or text, made opaque and handed to the AVI export.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

// Takes this step's picture while a recording runs. With overlapCoding its read-back is started
// and the picture read the step before is handed over (to be coded while the next is drawn);
// otherwise it is read back and written at once. A failure ends the recording and is shown
// through systems.ui.
void recordFrame(Scene& scene, FrameSystems& systems);

// Hands over the pictures still being read back, so that the file ends with the last one drawn;
// call it before the recording is finished. Not done, with the recording ended and the message to
// show, when one could not be handed over.
Outcome handOverPicturesReadingBack(Scene& scene, FrameSystems& systems);

}  // namespace zv
