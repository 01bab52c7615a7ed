#include "app/track_bar_moves.h"

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

}  // namespace

// The weight goes to the live morph: the frame step deforms the mesh with it, and the group's
// register button keys it.
bool moveTrackBar(Scene& scene, int id, int position) {
  const int slot = morphSlot(id);
  if (slot < 0) {
    return false;
  }
  Model* model = currentModel(scene);
  if (!model) {
    return true;
  }
  const std::int32_t chosen = model->selectedMorph[static_cast<std::size_t>(slot)];
  if (chosen > 0 && static_cast<std::size_t>(chosen) < model->morphs.size()) {
    model->morphs[static_cast<std::size_t>(chosen)].weight = static_cast<float>(position) / 100.0f;
  }
  return true;
}

}  // namespace zv
