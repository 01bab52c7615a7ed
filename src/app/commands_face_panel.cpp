// The face panel: stepping each category's current morph and registering its key.
#include <algorithm>

#include "app/command_table.h"
#include "port/text.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

// The selector slot (0 brow .. 3 other) of a step or register button, and the step's direction.
struct MorphButton {
  int slot = 0;
  int step = 0;
};

MorphButton morphButton(int id) {
  for (int slot = 0; slot < kMorphCategoryCount; ++slot) {
    if (id == kMorphPreviousButtons[slot]) {
      return {slot, -1};
    }
    if (id == kMorphNextButtons[slot]) {
      return {slot, 1};
    }
    if (id == kMorphRegisterButtons[slot]) {
      return {slot, 0};
    }
  }
  return {};
}

// The next morph of `category` from `from` in direction `step`, wrapping around the list.
std::int32_t steppedMorph(const Model& model, std::int32_t from, int step, int category) {
  const auto count = static_cast<std::int32_t>(model.morphs.size());
  std::int32_t morph = from;
  for (std::int32_t tried = 0; tried < count; ++tried) {
    morph = (morph + step + count) % count;
    if (model.morphs[static_cast<std::size_t>(morph)].category == category) {
      return morph;
    }
  }
  return from;
}

bool stepMorph(Scene& scene, FrameSystems& systems, int id) {
  const MorphButton button = morphButton(id);
  Model& model = *currentModel(scene);
  std::int32_t& chosen = model.selectedMorph[static_cast<std::size_t>(button.slot)];
  if (chosen <= 0 || static_cast<std::size_t>(chosen) >= model.morphs.size()) {
    return false;
  }
  chosen = steppedMorph(model, chosen, button.step, button.slot + 1);
  const Morph& morph = model.morphs[static_cast<std::size_t>(chosen)];
  systems.ui->setControlText(kMorphNameBoxes[button.slot], port::cp932ToUtf8(morph.name));
  systems.ui->setControlPosition(kMorphSliders[button.slot], static_cast<int>(morph.weight * 100));
  return false;
}

bool registerChosenMorph(Scene& scene, FrameSystems& systems, int id) {
  Model& model = *currentModel(scene);
  const std::int32_t chosen = model.selectedMorph[static_cast<std::size_t>(morphButton(id).slot)];
  if (chosen <= 0) {
    return false;
  }
  clearKeySelection(model.boneKeyPool);
  clearKeySelection(model.morphKeyPool);
  clearKeySelection(model.displayIkKeyPool);
  std::vector<Message> messages;
  const bool written = noteRefusal(
      registerMorphKey(scene, model, static_cast<std::uint32_t>(chosen), scene.currentFrame), messages);
  showMessages(*systems.ui, messages);
  scene.lastFrame = std::max(scene.lastFrame, model.lastFrame);
  return written;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kModel = CommandMode::ModelMode;

constexpr CommandRow stepRow(int id) {
  return {id, kClick, stepMorph, kModel, true};
}

constexpr CommandRow registerRow(int id) {
  return {id, kClick, registerChosenMorph, kModel, true, false, true, true};
}

const CommandRow kRows[] = {
    stepRow(kMorphPreviousButtons[0]),     stepRow(kMorphNextButtons[0]),
    stepRow(kMorphPreviousButtons[1]),     stepRow(kMorphNextButtons[1]),
    stepRow(kMorphPreviousButtons[2]),     stepRow(kMorphNextButtons[2]),
    stepRow(kMorphPreviousButtons[3]),     stepRow(kMorphNextButtons[3]),
    registerRow(kMorphRegisterButtons[0]), registerRow(kMorphRegisterButtons[1]),
    registerRow(kMorphRegisterButtons[2]), registerRow(kMorphRegisterButtons[3]),
};

}  // namespace

std::span<const CommandRow> facePanelCommands() {
  return kRows;
}

}  // namespace zv
