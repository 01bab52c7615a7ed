// Copying the live pose of the selected bones and pasting it, by bone name, onto the current
// model, as it is or mirrored onto the bones of the other side.
#pragma once

#include "scene/document/scene.h"

namespace zv {

// Replaces the pose clipboard with the selected bones of the current model in bone order; false
// (and the clipboard kept) when no bone is selected.
bool copyPose(Scene& scene);

// Deselects every bone, then sets each bone named by an entry to the entry's pose, selects it and
// marks it moved; entries naming no bone are skipped. The bones written are kept in an undo step
// of the pose kind first. The current-bone marker is cleared. False when the clipboard is empty.
bool pastePose(Scene& scene);

// The same onto the bone of the other side (the bone itself when it has none), translation x and
// rotation y and z negated. An entry whose own bone is missing is skipped.
bool pasteMirroredPose(Scene& scene);

}  // namespace zv
