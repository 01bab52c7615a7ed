// The accessory panel: adding and deleting props, their lists, check boxes and keys.
#include "app/accessory_commands.h"
#include "app/command_table.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

bool addAccessoryCommand(Scene& scene, FrameSystems& systems, int) {
  return addAccessoryFromDialog(scene, systems);
}

bool deleteAccessoryCommand(Scene& scene, FrameSystems& systems, int) {
  return deleteAccessory(scene, systems);
}

bool chooseAccessory(Scene& scene, FrameSystems& systems, int) {
  accessoryListChanged(scene, systems);
  return false;
}

bool chooseParentModel(Scene& scene, FrameSystems& systems, int) {
  accessoryParentModelChanged(scene, systems);
  return false;
}

bool chooseParentBone(Scene& scene, FrameSystems& systems, int) {
  accessoryParentBoneChanged(scene, systems);
  return false;
}

bool switchVisible(Scene& scene, FrameSystems& systems, int) {
  toggleAccessoryVisible(scene, systems);
  return false;
}

bool switchShadow(Scene& scene, FrameSystems& systems, int) {
  toggleAccessoryShadow(scene, systems);
  return false;
}

AccessoryKey keyOf(const AccessoryState& state) {
  AccessoryKey key;
  key.visible = state.visible;
  key.shadow = state.shadow;
  key.parentModel = state.parentModel;
  key.parentBone = state.parentBone;
  key.position = state.position;
  key.rotation = state.rotation;
  key.scale = state.scale;
  return key;
}

bool registerAccessory(Scene& scene, FrameSystems& systems, int) {
  const AccessoryState& state = scene.accessories[scene.currentAccessory];
  if (!state.loaded) {
    return false;
  }
  std::vector<Message> messages;
  const bool written = noteRefusal(registerAccessoryKey(scene, scene.currentFrame, keyOf(state)), messages);
  showMessages(*systems.ui, messages);
  return written;
}

constexpr int kClick = port::kNotifyClicked;
constexpr int kChoice = port::kNotifySelectionChanged;
constexpr CommandMode kAny = CommandMode::Any;
constexpr CommandMode kCamera = CommandMode::CameraMode;

const CommandRow kRows[] = {
    {kAccessoryList, kChoice, chooseAccessory, kAny, false, false, false, false, true},
    {kAddAccessoryButton, kClick, addAccessoryCommand, kAny, false, true},
    {kDeleteAccessoryButton, kClick, deleteAccessoryCommand, kAny, false, true},
    {kAccessoryParentModelList, kChoice, chooseParentModel, kAny, false, false, false, false, true},
    {kAccessoryParentBoneList, kChoice, chooseParentBone, kAny, false, false, false, false, true},
    {kAccessoryVisibleCheck, kClick, switchVisible},
    {kAccessoryShadowCheck, kClick, switchShadow},
    {kRegisterAccessoryButton, kClick, registerAccessory, kCamera, false, false, true, true},
};

}  // namespace

std::span<const CommandRow> accessoryPanelCommands() {
  return kRows;
}

}  // namespace zv
