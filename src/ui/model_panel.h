// The control panel's view of the current model: its IK chains, visibility, the four morph
// selectors and the rows the range selection can act on.
#pragma once

#include "port/ui.h"
#include "scene/document/model.h"
#include "ui/control_ids.h"

namespace zv {

// Fills the panel for `model`. A selector that has no morph chosen yet takes the first morph of
// its category, so `model.selectedMorph` may change.
void fillModelPanel(port::Ui& ui, Model& model);

}  // namespace zv
