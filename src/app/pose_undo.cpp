#include "app/pose_undo.h"

#include <algorithm>

#include "app/undo_commands.h"

namespace zv {

void recordPoseUndo(Scene& scene, port::Ui& ui) {
  Model* model = currentModel(scene);
  if (!model || std::none_of(model->boneSelected.begin(), model->boneSelected.end(),
                             [](std::uint8_t selected) { return selected != 0; })) {
    return;
  }
  beginStep(scene, *model, UndoKind::Pose, scene.currentFrame);
  std::vector<PoseEntry>& poses = model->undoHistory.undoRing[model->undoHistory.position].poses;
  std::erase_if(poses, [&](const PoseEntry& entry) { return model->boneSelected[entry.bone] == 0; });
  showUndoButtons(ui, model->undoHistory);
}

}  // namespace zv
