// The bone panel: the view tools, bone selection and registering the selected bones' keys.
#include "app/command_table.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr int kToolButtons[] = {kSelectModeButton, kBoxSelectModeButton, kMoveButton, kRotateButton};
constexpr EditMode kToolModes[] = {EditMode::Select, EditMode::BoxSelect, EditMode::Move, EditMode::Rotate};
constexpr std::uint8_t kFirstUnselectableBoneType = 7;

bool chooseTool(Scene& scene, FrameSystems& systems, int id) {
  const bool pressed = systems.ui->control(id).checked;
  scene.editMode = EditMode::None;
  for (std::size_t tool = 0; tool < std::size(kToolButtons); ++tool) {
    if (kToolButtons[tool] == id) {
      scene.editMode = pressed ? kToolModes[tool] : EditMode::None;
    } else {
      systems.ui->checkControl(kToolButtons[tool], false);
    }
  }
  return false;
}

void pressSelectTool(Scene& scene, FrameSystems& systems) {
  systems.ui->checkControl(kSelectModeButton, true);
  chooseTool(scene, systems, kSelectModeButton);
}

bool selectAllBones(Scene& scene, FrameSystems& systems, int) {
  Model& model = *currentModel(scene);
  for (std::size_t bone = 0; bone < model.bones.size(); ++bone) {
    if (model.bones[bone].type < kFirstUnselectableBoneType) {
      model.boneSelected[bone] = 1;
    }
  }
  pressSelectTool(scene, systems);
  return true;
}

bool selectUnregisteredBones(Scene& scene, FrameSystems& systems, int) {
  pressSelectTool(scene, systems);
  Model& model = *currentModel(scene);
  model.selectedBone = -1;
  for (std::size_t bone = 0; bone < model.bones.size(); ++bone) {
    model.boneSelected[bone] = model.boneMoved[bone];
  }
  return true;
}

bool registerSelectedBoneKeys(Scene& scene, FrameSystems& systems, int) {
  const KeyWrites writes = registerSelectedBones(scene, *currentModel(scene), scene.currentFrame);
  showMessages(*systems.ui, writes.messages);
  return writes.written > 0;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kModel = CommandMode::ModelMode;

const CommandRow kRows[] = {
    {kSelectModeButton, kClick, chooseTool},
    {kBoxSelectModeButton, kClick, chooseTool},
    {kMoveButton, kClick, chooseTool},
    {kRotateButton, kClick, chooseTool},
    {kSelectAllBonesButton, kClick, selectAllBones, kModel, true, false, false, true},
    {kRegisterFrameButton, kClick, registerSelectedBoneKeys, kModel, true, false, true, true},
    {kSelectUnregisteredButton, kClick, selectUnregisteredBones, kModel, true, false, false, true},
};

}  // namespace

std::span<const CommandRow> bonePanelCommands() {
  return kRows;
}

}  // namespace zv
