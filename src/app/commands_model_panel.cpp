// The model panel: adding and deleting models, the model and IK chain lists, the display box, the
// IK switches and the display/IK key.
#include "app/command_table.h"
#include "app/model_commands.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

bool addModelCommand(Scene& scene, FrameSystems& systems, int) {
  return addModelFromDialog(scene, systems);
}

bool deleteModelCommand(Scene& scene, FrameSystems& systems, int) {
  return deleteModel(scene, systems);
}

bool selectModelRow(Scene& scene, FrameSystems& systems, int) {
  modelListChanged(scene, systems);
  return false;
}

IkChain* chosenIkChain(Scene& scene, const port::Ui& ui) {
  Model& model = *currentModel(scene);
  const int row = ui.control(kIkChainList).selection;
  if (row < 0 || static_cast<std::size_t>(row) >= model.ikChains.size()) {
    return nullptr;
  }
  return &model.ikChains[static_cast<std::size_t>(row)];
}

bool showChosenIkChain(Scene& scene, FrameSystems& systems, int) {
  if (const IkChain* chain = chosenIkChain(scene, *systems.ui)) {
    systems.ui->checkControl(kIkOnRadio, chain->enabled);
    systems.ui->checkControl(kIkOffRadio, !chain->enabled);
  }
  return false;
}

bool switchIkChain(Scene& scene, FrameSystems& systems, int id) {
  IkChain* chain = chosenIkChain(scene, *systems.ui);
  if (!chain) {
    return false;
  }
  chain->enabled = id == kIkOnRadio;
  systems.ui->checkControl(kIkOnRadio, chain->enabled);
  systems.ui->checkControl(kIkOffRadio, !chain->enabled);
  return true;
}

bool switchModelVisible(Scene& scene, FrameSystems& systems, int) {
  Model& model = *currentModel(scene);
  model.visible = systems.ui->control(kVisibleCheck).checked;
  return true;
}

bool registerDisplayIk(Scene& scene, FrameSystems& systems, int) {
  std::vector<Message> messages;
  const bool written =
      noteRefusal(registerDisplayIkKey(scene, *currentModel(scene), scene.currentFrame), messages);
  showMessages(*systems.ui, messages);
  return written;
}

constexpr int kClick = port::kNotifyClicked;
constexpr int kChoice = port::kNotifySelectionChanged;
constexpr CommandMode kAny = CommandMode::Any;
constexpr CommandMode kModel = CommandMode::ModelMode;

const CommandRow kRows[] = {
    {kLoadModelButton, kClick, addModelCommand, kAny, false, true},
    {kModelList, kChoice, selectModelRow, kAny, false, false, false, false, true},
    {kDeleteModelButton, kClick, deleteModelCommand, kAny, false, true},
    {kRegisterDisplayIkButton, kClick, registerDisplayIk, kModel, true, true, true, true},
    {kVisibleCheck, kClick, switchModelVisible, kModel, true},
    {kIkChainList, kChoice, showChosenIkChain, kModel, true, false, false, false, true},
    {kIkOnRadio, kClick, switchIkChain, kModel, true},
    {kIkOffRadio, kClick, switchIkChain, kModel, true},
};

}  // namespace

std::span<const CommandRow> modelPanelCommands() {
  return kRows;
}

}  // namespace zv
