#include "app/widget_restriction.h"

namespace zv {

namespace {

// Kinds among the other selected bones: 2 when a move-only bone is among them, 1 for any other, 0 none.
int otherSelectedKind(const Model& model, std::size_t selected) {
  int kind = 0;
  for (std::size_t bone = 0; bone < model.bones.size() && bone < model.boneSelected.size(); ++bone) {
    if (bone == selected || model.boneSelected[bone] == 0) {
      continue;
    }
    if (model.bones[bone].type == kBoneTypeMove) {
      return 2;
    }
    kind = 1;
  }
  return kind;
}

bool rotatesOnly(std::uint8_t type) {
  return type == 0 || type == kBoneTypeIkReset || type == kBoneTypeLinked || type == kBoneTypeFirstUnkeyed;
}

}  // namespace

WidgetButtons widgetButtonsFor(const Model* model, bool playing) {
  const WidgetButtons none{false, false, kWidgetsNone};
  if (model == nullptr || playing || model->selectedBone < 0 ||
      static_cast<std::size_t>(model->selectedBone) >= model->bones.size()) {
    return none;
  }
  const std::size_t selected = static_cast<std::size_t>(model->selectedBone);
  const int other = otherSelectedKind(*model, selected);
  if (rotatesOnly(model->bones[selected].type)) {
    return other == 0 ? WidgetButtons{true, false, kWidgetsRotateOnly} : none;
  }
  return other == 1 ? none : WidgetButtons{true, true, kWidgetsRotateAndMove};
}

}  // namespace zv
