#include "ui/model_selection.h"

#include "ui/control_ids.h"
#include "ui/model_panel.h"
#include "ui/panel_visibility.h"

namespace zv {
namespace {


void showModeChange(Scene& scene, port::Ui& ui, Panels& panels) {
  updatePanelVisibility(scene, ui, panels.clipboards);
  if (panels.relayout) {
    panels.relayout();
  }
  ui.repaint();
}

void leaveCameraMode(Scene& scene, port::Ui& ui, Panels& panels) {
  ui.setControlRows(kCurveList, curveListRows(false));
  ui.selectControlRow(kCurveList, kRotationCurveRow);
  scene.cameraMode = false;
  showModeChange(scene, ui, panels);
}

void selectModel(Scene& scene, port::Ui& ui, Panels& panels, int slot) {
  scene.currentModel = static_cast<std::uint8_t>(slot);
  fillModelPanel(ui, *scene.modelSlots[static_cast<std::size_t>(slot)]);
  if (scene.cameraMode) {
    leaveCameraMode(scene, ui, panels);
  }
  for (int id : {kBoxSelectModeButton, kMoveButton, kRotateButton}) {
    ui.checkControl(id, false);
  }
  ui.checkControl(kSelectModeButton, true);
  scene.editMode = EditMode::Select;
  enableModeMenus(ui, false);
  ui.enableControl(kStretchButton, true);
  const std::array<bool, 3>& buffers = panels.clipboards.modelKeyBuffers;
  ui.enableControl(kKeyPasteButton, buffers[0] || buffers[1] || buffers[2]);
  ui.enableControl(kKeyMirrorPasteButton, buffers[0]);
}

void selectCameraEntry(Scene& scene, port::Ui& ui, Panels& panels) {
  ui.setControlRows(kIkChainList, {});
  ui.setControlRows(kRangeRowList, {"カメラ", "照明"});
  ui.selectControlRow(kRangeRowList, 0);
  ui.checkControl(kVisibleCheck, false);
  enterCameraMode(scene, ui, panels);
  scene.editMode = EditMode::None;
}

}  // namespace

int modelSlotOfListRow(Scene& scene, int row) {
  for (int slot = 0; slot < kMaxModels; ++slot) {
    const Model* model = modelInSlot(scene, slot);
    if (row > 0 && model && model->listIndex == row) {
      return slot;
    }
  }
  return -1;
}

std::vector<std::string> curveListRows(bool cameraMode) {
  std::vector<std::string> rows{"Ｘ軸移動", "Ｙ軸移動", "Ｚ軸移動", "回　転"};
  if (cameraMode) {
    rows.insert(rows.end(), {"距　離", "視野角"});
  }
  return rows;
}

void enableModeMenus(port::Ui& ui, bool cameraMode) {
  for (int id : kModelMenuItems) {
    ui.enableControl(id, !cameraMode);
  }
  for (int id : kCameraMenuItems) {
    ui.enableControl(id, cameraMode);
  }
}

void enterCameraMode(Scene& scene, port::Ui& ui, Panels& panels) {
  const int curve = ui.control(kCurveList).selection;
  ui.setControlRows(kCurveList, curveListRows(true));
  ui.selectControlRow(kCurveList, curve);
  scene.cameraMode = true;
  showModeChange(scene, ui, panels);
  enableModeMenus(ui, true);
  ui.enableControl(kStretchButton, false);
  const std::array<bool, 2>& buffers = panels.clipboards.cameraKeyBuffers;
  ui.enableControl(kKeyPasteButton, buffers[0] || buffers[1]);
  ui.enableControl(kKeyMirrorPasteButton, false);
}

void applyModelSelection(Scene& scene, port::Ui& ui, Panels& panels) {
  const int row = ui.control(kModelList).selection;
  if (row > 0) {
    const int slot = modelSlotOfListRow(scene, row);
    if (slot < 0) {
      return;
    }
    selectModel(scene, ui, panels, slot);
  } else if (!scene.cameraMode) {
    selectCameraEntry(scene, ui, panels);
  }
  const Model* model = currentModel(scene);
  const bool modelMode = !scene.cameraMode && model;
  ui.enableControl(kUndoButton, modelMode && model->undoHistory.undoAvailable);
  ui.enableControl(kRedoButton, modelMode && model->undoHistory.redoAvailable);
  rebuildRows(scene, panels);
}

}  // namespace zv
