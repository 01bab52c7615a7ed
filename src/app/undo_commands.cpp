#include "app/undo_commands.h"

#include <string>

#include "ui/control_ids.h"

namespace zv {
namespace {

UndoOutcome shown(Scene& scene, port::Ui& ui, UndoOutcome outcome) {
  const Model* model = currentModel(scene);
  if (scene.cameraMode || model == nullptr) {
    return outcome;
  }
  if (outcome.frameMoved) {
    ui.setControlText(kCurrentFrameBox, std::to_string(scene.currentFrame));
  }
  showUndoButtons(ui, model->undoHistory);
  return outcome;
}

}  // namespace

void showUndoButtons(port::Ui& ui, const UndoHistory& history) {
  ui.enableControl(kUndoButton, history.undoAvailable);
  ui.enableControl(kRedoButton, history.redoAvailable);
}

UndoOutcome undo(Scene& scene, port::Ui& ui) {
  return shown(scene, ui, undo(scene));
}

UndoOutcome redo(Scene& scene, port::Ui& ui) {
  return shown(scene, ui, redo(scene));
}

}  // namespace zv
