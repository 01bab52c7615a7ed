// The undo step a bone drag records before it changes the pose.
#pragma once

#include "port/ui.h"
#include "scene/document/scene.h"

namespace zv {

// A pose step of the current model's selected bones (index, translation, rotation and the
// moved flag, in bone order), with the undo button enabled and redo disabled. Nothing when no
// bone is selected.
void recordPoseUndo(Scene& scene, port::Ui& ui);

}  // namespace zv
