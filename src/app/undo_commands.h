// The undo and redo commands: the history's step on the current model, then the frame box and
// the two buttons showing what the history now allows.
#pragma once

#include "port/ui.h"
#include "scene/document/scene.h"
#include "scene/undo/undo.h"

namespace zv {

// Buttons 300 and 301 enabled as the history allows undo and redo.
void showUndoButtons(port::Ui& ui, const UndoHistory& history);

// Undo or redo on the current model (nothing in camera mode); a step that moved the frame shows it
// in box 317, and the buttons follow the current model's history.
UndoOutcome undo(Scene& scene, port::Ui& ui);
UndoOutcome redo(Scene& scene, port::Ui& ui);

}  // namespace zv
