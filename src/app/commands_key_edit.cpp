// The frame editor's header: undo, redo and deleting the selected keys.
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

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kModel = CommandMode::ModelMode;

const CommandRow kRows[] = {
    {kUndoButton, kClick, undoCommand, kModel, true, false, true, true},
    {kRedoButton, kClick, undoCommand, kModel, true, false, true, true},
    {kKeyDeleteButton, kClick, deleteKeysCommand, CommandMode::Any, false, false, true, true},
};

}  // namespace

std::span<const CommandRow> keyEditCommands() {
  return kRows;
}

}  // namespace zv
