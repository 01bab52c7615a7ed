#include "app/track_bar_moves.h"

#include <cstdio>
#include <string>

#include "app/edit_box_commit.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

int morphSlot(int id) {
  for (int slot = 0; slot < 4; ++slot) {
    if (kMorphSliders[slot] == id) {
      return slot;
    }
  }
  return -1;
}

// The weight goes to the live morph: the frame step deforms the mesh with it, and the group's
// register button keys it.
void moveMorphBar(Scene& scene, int slot, int position) {
  Model* model = currentModel(scene);
  if (!model) {
    return;
  }
  const std::int32_t chosen = model->selectedMorph[static_cast<std::size_t>(slot)];
  if (chosen > 0 && static_cast<std::size_t>(chosen) < model->morphs.size()) {
    model->morphs[static_cast<std::size_t>(chosen)].weight = static_cast<float>(position) / 100.0f;
  }
}

// The box a camera or light bar mirrors, with the text the bar's position stands for there.
struct BoxText {
  int box = 0;
  std::string text;
};

BoxText boxForBar(int id, int position) {
  char text[32];
  if (id == kViewAngleBar) {
    std::snprintf(text, sizeof text, "%3d", position);
    return {kViewAngleBox, text};
  }
  for (int axis = 0; axis < 3; ++axis) {
    if (id == kLightColourBars[axis]) {
      std::snprintf(text, sizeof text, "%3d", position);
      return {kLightColourBoxes[axis], text};
    }
    if (id == kLightDirectionBars[axis]) {
      std::snprintf(text, sizeof text, "%+3.1f", static_cast<double>(position) / 100.0);
      return {kLightDirectionBoxes[axis], text};
    }
  }
  return {};
}

}  // namespace

bool moveTrackBar(Scene& scene, FrameSystems& systems, int id, int position) {
  const int slot = morphSlot(id);
  if (slot >= 0) {
    moveMorphBar(scene, slot, position);
    return true;
  }
  const BoxText mirrored = boxForBar(id, position);
  if (mirrored.box == 0) {
    return false;
  }
  systems.ui->setControlText(mirrored.box, mirrored.text);
  commitEditBox(scene, systems, mirrored.box);
  return true;
}

}  // namespace zv
