// The control panel's view of the current model: its IK chains, visibility, the four morph
// selectors and the rows the range selection can act on.
#pragma once

#include "port/ui.h"
#include "scene/model.h"

namespace zv {

// Control ids of the model's part of the panel.
inline constexpr int kRangeRowList = 336;
inline constexpr int kVisibleCheck = 341;
inline constexpr int kIkChainList = 342;
inline constexpr int kIkOnRadio = 343;
inline constexpr int kIkOffRadio = 344;
// Name box and slider of the morph selector of each category 1..4 (eyebrow, eye, lip, other).
inline constexpr int kMorphNameBoxes[kMorphCategoryCount] = {399, 403, 407, 411};
inline constexpr int kMorphSliders[kMorphCategoryCount] = {400, 404, 408, 412};

// Fills the panel for `model`. A selector that has no morph chosen yet takes the first morph of
// its category, so `model.selectedMorph` may change.
void fillModelPanel(port::Ui& ui, Model& model);

}  // namespace zv
