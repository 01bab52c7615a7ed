#include "app/accessory_commands.h"

#include <cassert>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "files/x/x_messages.h"
#include "port/text.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr std::string_view kAddCaption = "アクセサリ追加";
constexpr std::string_view kDeleteCaption = "アクセサリ削除";
constexpr std::string_view kNotAnXFile = "正しいｘファイルではありません";
// Bones of these kinds and above are never offered as a prop's parent.
constexpr std::uint8_t kFirstHiddenBoneKind = 7;

port::Ui& uiOf(FrameSystems& systems) {
  assert(systems.ui && "the frame systems are created before any command runs");
  return *systems.ui;
}

// The prop's device buffers are made and freed on the view's context.
void makeViewCurrent(FrameSystems& systems) {
  if (systems.surface) {
    systems.surface->makeCurrent();
  }
}

Accessory* propInSlot(FrameSystems& systems, int slot) {
  if (slot < 0 || slot >= kMaxAccessories) {
    return nullptr;
  }
  return systems.accessories[static_cast<std::size_t>(slot)].get();
}

std::optional<int> firstEmptySlot(const FrameSystems& systems) {
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    if (!systems.accessories[static_cast<std::size_t>(slot)]) {
      return slot;
    }
  }
  return std::nullopt;
}

std::optional<int> slotOfRow(FrameSystems& systems, int row) {
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    const Accessory* prop = propInSlot(systems, slot);
    if (prop && prop->listIndex == row) {
      return slot;
    }
  }
  return std::nullopt;
}

// The model listed at `row` of the parent-model list, or nothing for the ground row.
std::optional<int> modelSlotOfRow(Scene& scene, int row) {
  if (row <= 0) {
    return std::nullopt;
  }
  for (int slot = 0; slot < kMaxModels; ++slot) {
    const Model* model = modelInSlot(scene, slot);
    if (model && model->listIndex == row) {
      return slot;
    }
  }
  return std::nullopt;
}

AccessoryState& stateOf(Scene& scene, int slot) {
  return scene.accessories[static_cast<std::size_t>(slot)];
}

void setParent(Scene& scene, int slot, int modelSlot, int bone) {
  AccessoryState& state = stateOf(scene, slot);
  state.parentModel = modelSlot;
  state.parentBone = bone;
}

std::string panelNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%3.4f", value);
  return text;
}

void showPlacement(port::Ui& ui, const AccessoryState& state) {
  const float position[3] = {state.position.x, state.position.y, state.position.z};
  const float rotation[3] = {state.rotation.x, state.rotation.y, state.rotation.z};
  for (int axis = 0; axis < 3; ++axis) {
    ui.setControlText(kAccessoryPositionEdits[axis], panelNumber(position[axis]));
    ui.setControlText(kAccessoryRotationEdits[axis],
                      panelNumber(rotation[axis] / kSixDigitPi<double> * 180.0));
  }
  ui.setControlText(kAccessoryScaleEdit, panelNumber(state.scale));
}

void clearPlacement(port::Ui& ui) {
  for (int axis = 0; axis < 3; ++axis) {
    ui.setControlText(kAccessoryPositionEdits[axis], "");
    ui.setControlText(kAccessoryRotationEdits[axis], "");
  }
  ui.setControlText(kAccessoryScaleEdit, "");
}

// Fills the parent-bone list with the bones a prop may follow, in bone order.
void listParentBones(port::Ui& ui, const Model& model) {
  std::vector<std::string> rows;
  for (const Bone& bone : model.bones) {
    if (bone.type < kFirstHiddenBoneKind) {
      rows.push_back(port::cp932ToUtf8(bone.name));
    }
  }
  ui.setControlRows(kAccessoryParentBoneList, std::move(rows));
}

// The row of `bone` in the parent-bone list of `model`, or -1 when it is not listed.
int parentBoneRow(const Model& model, int bone) {
  if (bone < 0 || static_cast<std::size_t>(bone) >= model.bones.size() ||
      model.bones[static_cast<std::size_t>(bone)].type >= kFirstHiddenBoneKind) {
    return -1;
  }
  int row = 0;
  for (int index = 0; index < bone; ++index) {
    row += model.bones[static_cast<std::size_t>(index)].type < kFirstHiddenBoneKind ? 1 : 0;
  }
  return row;
}

// A fresh track: only the head, visible on the ground at scale 1.
void resetTrack(Scene& scene, std::size_t index) {
  scene.accessoryKeyPools[index] = KeyPool<AccessoryKey>{};
  scene.accessoryKeyCursors[index] = 0;
  scene.accessoryTrackActive[index] = false;
}

// Starts the slot's track afresh at the prop's file placement: keys left on the track of an empty
// slot (registered while no prop was there) must not move the new prop.
void startTrack(Scene& scene, int slot, const AccessoryState& placed) {
  const auto index = static_cast<std::size_t>(slot);
  resetTrack(scene, index);
  AccessoryKey& head = scene.accessoryKeyPools[index].at(0);
  head.position = placed.position;
  head.rotation = placed.rotation;
  head.scale = placed.scale;
  head.shadow = placed.shadow;
}

// Empties the slot: the prop, its live state and its track.
void emptySlot(Scene& scene, FrameSystems& systems, int slot) {
  const auto index = static_cast<std::size_t>(slot);
  makeViewCurrent(systems);
  systems.accessories[index].reset();
  scene.accessories[index] = AccessoryState{};
  resetTrack(scene, index);
}

void removeListRow(port::Ui& ui, FrameSystems& systems, int row) {
  std::vector<std::string> rows = ui.control(kAccessoryList).rows;
  if (row >= 0 && static_cast<std::size_t>(row) < rows.size()) {
    rows.erase(rows.begin() + row);
  }
  ui.setControlRows(kAccessoryList, std::move(rows));
  for (std::unique_ptr<Accessory>& prop : systems.accessories) {
    if (prop && prop->listIndex > row) {
      --prop->listIndex;
    }
  }
}

void toggleFlag(Scene& scene, FrameSystems& systems, bool AccessoryState::*flag, int checkBox) {
  if (!propInSlot(systems, scene.currentAccessory)) {
    return;
  }
  AccessoryState& state = stateOf(scene, scene.currentAccessory);
  state.*flag = !(state.*flag);
  uiOf(systems).checkControl(checkBox, state.*flag);
}

}  // namespace

port::FileDialogRequest accessoryDialogRequest() {
  port::FileDialogRequest request;
  request.title = "ファイルを開く";
  request.filters = {{"読込可能ファイル(*.x,*.vac)", "*.x;*.vac"},
                     {"x files(*.x)", "*.x"},
                     {"vac files(*.vac)", "*.vac"},
                     {"All Files(*.*)", "*.*"}};
  request.initialDirectory = "UserFile/Accessory";
  request.defaultExtension = "x";
  return request;
}

bool addAccessoryFromDialog(Scene& scene, FrameSystems& systems) {
  if (!scene.exeDirectory.empty()) {
    std::error_code ignored;
    std::filesystem::current_path(scene.exeDirectory, ignored);
  }
  const std::optional<std::filesystem::path> chosen = uiOf(systems).openFileDialog(accessoryDialogRequest());
  return chosen && addAccessory(scene, systems, *chosen);
}

bool addAccessory(Scene& scene, FrameSystems& systems, const std::filesystem::path& path) {
  port::Ui& ui = uiOf(systems);
  const std::optional<int> slot = firstEmptySlot(systems);
  if (!slot) {
    port::showMessage(ui, "追加できるアクセサリの最大数は" + std::to_string(kMaxAccessories) + "個までです",
                      kAddCaption);
    return false;
  }
  makeViewCurrent(systems);
  auto prop = std::make_unique<Accessory>();
  AccessoryState placed;  // shown, on the ground, at scale 1 unless a descriptor says otherwise
  const Outcome loaded =
      loadAccessory(*prop, placed, systems.device, systems.textures, path, scene.exeDirectory);
  showMessages(ui, loaded.messages);
  if (!loaded) {
    ui.messageBox(port::MessageOwner::None, kNotAnXFile, kAccessoryLoadCaption, port::MessageButtons::Ok);
    return false;
  }
  scene.modified = true;
  std::vector<std::string> rows = ui.control(kAccessoryList).rows;
  rows.push_back(port::cp932ToUtf8(prop->name));
  prop->listIndex = static_cast<int>(rows.size()) - 1;
  ui.setControlRows(kAccessoryList, std::move(rows));
  ui.selectControlRow(kAccessoryList, prop->listIndex);
  scene.currentAccessory = static_cast<std::uint8_t>(*slot);
  ui.selectControlRow(kAccessoryParentModelList, 0);
  ui.setControlRows(kAccessoryParentBoneList, {});
  ui.checkControl(kAccessoryVisibleCheck, true);
  placed.loaded = true;
  stateOf(scene, *slot) = placed;
  showPlacement(ui, placed);
  ui.checkControl(kAccessoryShadowCheck, placed.shadow);
  startTrack(scene, *slot, placed);
  systems.accessories[static_cast<std::size_t>(*slot)] = std::move(prop);
  return true;
}

bool deleteAccessory(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = uiOf(systems);
  const int row = ui.control(kAccessoryList).selection;
  const std::optional<int> slot = row < 0 ? std::nullopt : slotOfRow(systems, row);
  if (!slot) {
    return false;
  }
  const std::string question = "アクセサリ：" + port::cp932ToUtf8(propInSlot(systems, *slot)->name) +
                               "を削除します\nアクセサリのフレームデータも全て削除されます\n"
                               "(この操作は元に戻す事はできません)\n\n削除してもよろしいですか？";
  if (ui.messageBox(port::MessageOwner::MainWindow, question, kDeleteCaption,
                    port::MessageButtons::OkCancel) != port::MessageAnswer::Ok) {
    return false;
  }
  emptySlot(scene, systems, *slot);
  scene.modified = true;
  removeListRow(ui, systems, row);
  if (const std::optional<int> first = slotOfRow(systems, 0)) {
    ui.selectControlRow(kAccessoryList, 0);
    scene.currentAccessory = static_cast<std::uint8_t>(*first);
    refreshAccessoryPanel(scene, systems);
  } else {
    scene.currentAccessory = 0;
    ui.selectControlRow(kAccessoryParentModelList, -1);
    ui.setControlRows(kAccessoryParentBoneList, {});
    clearPlacement(ui);
  }
  return true;
}

void refreshAccessoryPanel(Scene& scene, FrameSystems& systems) {
  if (!propInSlot(systems, scene.currentAccessory)) {
    return;
  }
  port::Ui& ui = uiOf(systems);
  const AccessoryState& state = stateOf(scene, scene.currentAccessory);
  ui.checkControl(kAccessoryVisibleCheck, state.visible);
  ui.checkControl(kAccessoryShadowCheck, state.shadow);
  const Model* parent = modelInSlot(scene, state.parentModel);
  ui.selectControlRow(kAccessoryParentModelList, parent ? parent->listIndex : 0);
  ui.setControlRows(kAccessoryParentBoneList, {});
  if (parent) {
    listParentBones(ui, *parent);
    ui.selectControlRow(kAccessoryParentBoneList, parentBoneRow(*parent, state.parentBone));
  }
  showPlacement(ui, state);
}

void accessoryListChanged(Scene& scene, FrameSystems& systems) {
  const int row = uiOf(systems).control(kAccessoryList).selection;
  const std::optional<int> slot = row < 0 ? std::nullopt : slotOfRow(systems, row);
  if (slot) {
    scene.currentAccessory = static_cast<std::uint8_t>(*slot);
    refreshAccessoryPanel(scene, systems);
  }
}

void accessoryParentModelChanged(Scene& scene, FrameSystems& systems) {
  if (!propInSlot(systems, scene.currentAccessory)) {
    return;
  }
  port::Ui& ui = uiOf(systems);
  ui.setControlRows(kAccessoryParentBoneList, {});
  const std::optional<int> modelSlot = modelSlotOfRow(scene, ui.control(kAccessoryParentModelList).selection);
  if (!modelSlot) {
    setParent(scene, scene.currentAccessory, -1, stateOf(scene, scene.currentAccessory).parentBone);
    return;
  }
  listParentBones(ui, *modelInSlot(scene, *modelSlot));
  ui.selectControlRow(kAccessoryParentBoneList, 0);
  setParent(scene, scene.currentAccessory, *modelSlot, 0);
}

void accessoryParentBoneChanged(Scene& scene, FrameSystems& systems) {
  const AccessoryState& state = stateOf(scene, scene.currentAccessory);
  const Model* parent =
      propInSlot(systems, scene.currentAccessory) ? modelInSlot(scene, state.parentModel) : nullptr;
  if (!parent) {
    return;
  }
  const port::ControlState list = uiOf(systems).control(kAccessoryParentBoneList);
  if (list.selection < 0 || static_cast<std::size_t>(list.selection) >= list.rows.size()) {
    return;
  }
  const std::string& chosen = list.rows[static_cast<std::size_t>(list.selection)];
  for (std::size_t bone = 0; bone < parent->bones.size(); ++bone) {
    if (port::cp932ToUtf8(parent->bones[bone].name) == chosen) {
      setParent(scene, scene.currentAccessory, state.parentModel, static_cast<int>(bone));
      return;
    }
  }
}

void toggleAccessoryVisible(Scene& scene, FrameSystems& systems) {
  toggleFlag(scene, systems, &AccessoryState::visible, kAccessoryVisibleCheck);
}

void toggleAccessoryShadow(Scene& scene, FrameSystems& systems) {
  toggleFlag(scene, systems, &AccessoryState::shadow, kAccessoryShadowCheck);
}

bool attachAccessory(Scene& scene, FrameSystems& systems, int slot, int modelSlot, int bone) {
  const Accessory* prop = propInSlot(systems, slot);
  const Model* model = modelInSlot(scene, modelSlot);
  const bool onGround = modelSlot == -1;
  if (!prop || (!onGround && (!model || bone < 0 || static_cast<std::size_t>(bone) >= model->bones.size()))) {
    return false;
  }
  const int parentBone = onGround ? 0 : bone;
  setParent(scene, slot, modelSlot, parentBone);
  AccessoryKey& head = scene.accessoryKeyPools[static_cast<std::size_t>(slot)].at(0);
  head.parentModel = modelSlot;
  head.parentBone = parentBone;
  return true;
}

}  // namespace zv
