// The frame editor's header and the key menu: undo, redo, deleting selected and unneeded keys, and
// the curve list.
#include "anim/sampling.h"
#include "app/command_table.h"
#include "app/undo_commands.h"
#include "scene/keys/key_deletion.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

bool undoCommand(Scene& scene, FrameSystems& systems, int id) {
  const UndoOutcome outcome = id == kUndoButton ? undo(scene, *systems.ui) : redo(scene, *systems.ui);
  return outcome.changed;
}

bool deleteKeysCommand(Scene& scene, FrameSystems&, int) {
  return deleteSelectedKeys(scene) > 0;
}

bool deleteUnneededKeys(Scene& scene, FrameSystems& systems, int) {
  Model& model = *currentModel(scene);
  const UnneededKeyDeletion deletion = deleteUnneededBoneKeys(scene, model);
  sampleModelAtFrame(model, scene.currentFrame);
  showUndoButtons(*systems.ui, model.undoHistory);
  port::showMessage(*systems.ui, deletion.report.text, deletion.report.caption);
  return true;
}

bool showChosenCurve(Scene&, FrameSystems&, int) {
  return true;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kModel = CommandMode::ModelMode;

const CommandRow kRows[] = {
    {kUndoButton, kClick, undoCommand, kModel, true, false, true, true},
    {kRedoButton, kClick, undoCommand, kModel, true, false, true, true},
    {kMenuDeleteUnneededKeys, kClick, deleteUnneededKeys, kModel, true, true, true, true},
    {kCurveList, port::kNotifySelectionChanged, showChosenCurve, CommandMode::Any, false, false, false, true,
     true},
    {kKeyDeleteButton, kClick, deleteKeysCommand, CommandMode::Any, false, false, true, true},
};

}  // namespace

std::span<const CommandRow> keyEditCommands() {
  return kRows;
}

}  // namespace zv
