#include "ui/panel_visibility.h"

#include "ui/control_ids.h"

namespace zv {
namespace {

// A section's controls, its "＋" button, and whether it belongs to camera mode.
struct Section {
  int first, last, expandButton;
  bool cameraSection;
};

bool sectionOpen(const PanelOpen& open, int expandButton) {
  switch (expandButton) {
    case kCameraExpandButton:
      return open.camera;
    case kLightExpandButton:
      return open.light;
    case kAccessoryExpandButton:
      return open.accessory;
    case kBoneExpandButton:
      return open.bone;
    default:
      return open.face;
  }
}

void switchRange(std::vector<ControlSwitch>& into, int first, int last, bool on) {
  for (int id = first; id <= last; ++id) {
    into.push_back({id, on});
  }
}

}  // namespace

PanelVisibility panelVisibility(const VisibilityInput& input) {
  static constexpr Section kSections[] = {
      {kPerspectiveButton, kCameraCollapseButton, kCameraExpandButton, true},
      {kLightColourBars[0], kLightCollapseButton, kLightExpandButton, true},
      {kAccessoryList, kAccessoryCollapseButton, kAccessoryExpandButton, true},
      {kSelectModeButton, kBoneCollapseButton, kBoneExpandButton, false},
      {kMorphPreviousButtons[0], kFaceCollapseButton, kFaceExpandButton, false},
  };
  PanelVisibility visibility;
  for (const Section& section : kSections) {
    const bool modeShows = section.cameraSection == input.cameraMode;
    const bool open = sectionOpen(input.open, section.expandButton);
    switchRange(visibility.shown, section.first, section.last, modeShows && open);
    visibility.shown.push_back({section.expandButton, modeShows && !open});
  }
  visibility.enabled.push_back({kPosePasteButton, input.poseHeld});
  visibility.enabled.push_back({kPoseMirrorPasteButton, input.poseHeld});
  const bool modelRow = input.modelListRow > 0;
  switchRange(visibility.enabled, kDeleteModelButton, kIkOffRadio, modelRow);
  visibility.dropFirstIkRow = !modelRow;
  visibility.enabled.push_back({kUndoButton, !input.cameraMode && input.canUndo});
  visibility.enabled.push_back({kRedoButton, !input.cameraMode && input.canRedo});
  visibility.bottomViewCaption = input.cameraMode ? "下面" : "カメラ";
  return visibility;
}

void applyPanelVisibility(port::Ui& ui, const PanelVisibility& visibility) {
  for (const ControlSwitch& control : visibility.shown) {
    ui.showControl(control.id, control.on);
  }
  for (const ControlSwitch& control : visibility.enabled) {
    ui.enableControl(control.id, control.on);
  }
  if (visibility.dropFirstIkRow) {
    std::vector<std::string> rows = ui.control(kIkChainList).rows;
    if (!rows.empty()) {
      rows.erase(rows.begin());
      ui.setControlRows(kIkChainList, std::move(rows));
    }
  }
  ui.setControlText(kBottomViewButton, visibility.bottomViewCaption);
}

void updatePanelVisibility(Scene& scene, port::Ui& ui, const ClipboardState& clipboards) {
  VisibilityInput input;
  input.cameraMode = scene.cameraMode;
  input.open = scene.panelOpen;
  input.modelListRow = ui.control(kModelList).selection;
  if (const Model* model = currentModel(scene)) {
    input.canUndo = model->undoHistory.undoAvailable;
    input.canRedo = model->undoHistory.redoAvailable;
  }
  input.poseHeld = clipboards.poseHeld;
  applyPanelVisibility(ui, panelVisibility(input));
}

}  // namespace zv
