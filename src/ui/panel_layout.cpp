#include "ui/panel_layout.h"

#include <algorithm>

#include "ui/control_ids.h"

namespace zv {
namespace {

class Placer {
 public:
  explicit Placer(std::vector<ControlPlace>& places) : places_(places) {}
  void operator()(int id, int x, int y, int width, int height) {
    places_.push_back({id, port::Rect{x, y, x + width, y + height}});
  }

 private:
  std::vector<ControlPlace>& places_;
};

void placeLeftColumn(Placer& place, int p, int h) {
  const int o = p / 2;
  place(kUndoButton, o - 75, 24, 60, 18);
  place(kRedoButton, o + 5, 24, 60, 18);
  place(kCurrentFrameBox, o - 25, 66, 50, 20);
  place(kPreviousFrameButton, o - 47, 66, 20, 20);
  place(kNextFrameButton, o + 27, 66, 20, 20);
  place(kRowScrollBar, p - 19, 175, 16, h - 401);
  place(kFrameScrollBar, 70, h - 227, p - 87, 16);
  place(kShowCurrentFrameButton, 8, h - 227, 60, 18);
  const int keyClipboardButtons[] = {kKeyCopyButton, kKeyPasteButton, kKeyMirrorPasteButton};
  for (int i = 0; i < 3; ++i) {
    place(keyClipboardButtons[i], o - 119 + 43 * i, h - 204, 40, 18);
  }
  place(kVerticalSelectButton, o + 15, h - 204, 50, 18);
  place(kKeyDeleteButton, o + 70, h - 204, 50, 18);
  place(kRangeStartBox, o - 4, h - 180, 50, 14);
  place(kRangeEndBox, o + 68, h - 180, 50, 14);
  place(kRangeRowList, o - 114, h - 173, 100, 400);
  place(kRangeSelectButton, o - 4, h - 160, 60, 18);
  place(kStretchButton, o + 60, h - 160, 60, 18);
  place(kCurveLinearButton, 144, h - 26, 60, 18);
  place(kCurvePasteButton, 144, h - 52, 60, 18);
  place(kCurveCopyButton, 144, h - 78, 60, 18);
  place(kCurveList, 144, h - 120, 80, 100);
}

void placeModelPanel(Placer& place, int p, int h) {
  place(kModelList, p + 15, h - 137, 125, 100);
  place(kLoadModelButton, p + 15, h - 105, 60, 18);
  place(kDeleteModelButton, p + 82, h - 105, 60, 18);
  place(kIkChainList, p + 18, h - 75, 100, 100);
  place(kIkOnRadio, p + 20, h - 50, 13, 13);
  place(kIkOffRadio, p + 20, h - 33, 13, 13);
  place(kVisibleCheck, p + 82, h - 50, 13, 13);
  place(kRegisterDisplayIkButton, p + 82, h - 30, 60, 23);
}

void placeCameraPanel(Placer& place, int p, int h) {
  for (int id : {kCameraCollapseButton, kCameraExpandButton, kBoneCollapseButton, kBoneExpandButton}) {
    place(id, p + 155, h - 155, 14, 14);
  }
  place(kCameraResetButton, p + 170, h - 135, 70, 25);
  place(kPerspectiveButton, p + 163, h - 100, 80, 20);
  place(kViewAngleBox, p + 220, h - 73, 30, 14);
  place(kViewAngleBar, p + 156, h - 57, 94, 18);
  place(kRegisterCameraButton, p + 170, h - 30, 70, 24);
}

void placeLightPanel(Placer& place, int p, int h, int s1) {
  const int x = p - s1;
  for (int i = 0; i < 3; ++i) {
    place(kLightColourBars[i], x + 271, h - 140 + 18 * i, 139, 18);
    place(kLightColourBoxes[i], x + 410, h - 140 + 18 * i, 23, 14);
    place(kLightDirectionBars[i], x + 271, h - 84 + 18 * i, 139, 18);
    place(kLightDirectionBoxes[i], x + 410, h - 84 + 18 * i, 23, 14);
  }
  place(kRegisterLightButton, x + 305, h - 26, 70, 20);
  place(kLightCollapseButton, x + 258, h - 155, 14, 14);
  place(kLightExpandButton, x + 258, h - 155, 14, 14);
}

void placeAccessoryPanel(Placer& place, int p, int h, int s2) {
  const int x = p - s2;
  place(kAccessoryCollapseButton, x + 441, h - 155, 14, 14);
  place(kAccessoryExpandButton, x + 441, h - 155, 14, 14);
  place(kAccessoryList, x + 450, h - 140, 125, 150);
  place(kAddAccessoryButton, x + 450, h - 115, 60, 18);
  place(kDeleteAccessoryButton, x + 516, h - 115, 60, 18);
  place(kAccessoryVisibleCheck, x + 584, h - 132, 13, 13);
  place(kAccessoryShadowCheck, x + 584, h - 113, 13, 13);
  place(kAccessoryParentModelList, x + 445, h - 95, 90, 100);
  place(kAccessoryParentBoneList, x + 540, h - 95, 90, 300);
  for (int i = 0; i < 3; ++i) {
    place(kAccessoryPositionEdits[i], x + 454 + 64 * i, h - 70, 49, 14);
    place(kAccessoryRotationEdits[i], x + 454 + 64 * i, h - 50, 49, 14);
  }
  place(kAccessoryScaleEdit, x + 466, h - 30, 49, 14);
  place(kRegisterAccessoryButton, x + 545, h - 30, 60, 23);
}

void placeBonePanel(Placer& place, int p, int h) {
  place(kSelectModeButton, p + 158, h - 140, 60, 28);
  place(kRotateButton, p + 222, h - 140, 60, 28);
  place(kMoveButton, p + 286, h - 140, 60, 28);
  place(kBoxSelectModeButton, p + 158, h - 105, 60, 22);
  place(kSelectAllBonesButton, p + 222, h - 105, 60, 22);
  place(kSelectUnregisteredButton, p + 286, h - 105, 60, 22);
  const int poseClipboardButtons[] = {kPoseCopyButton, kPosePasteButton, kPoseMirrorPasteButton};
  for (int i = 0; i < 3; ++i) {
    place(poseClipboardButtons[i], p + 158 + 64 * i, h - 70, 60, 22);
  }
  place(kRegisterFrameButton, p + 180, h - 38, 60, 28);
  place(kBoneResetButton, p + 268, h - 38, 60, 28);
}

// One morph selector of the face panel: "≪", "≫", the name box and the weight bar below them.
struct SelectorColumns {
  int previous, next, name, slider;  // x offsets from the panel's shifted origin
};

void placeMorphSelector(Placer& place, int category, int x, const SelectorColumns& columns, int y) {
  place(kMorphPreviousButtons[category], x + columns.previous, y, 16, 16);
  place(kMorphNextButtons[category], x + columns.next, y, 16, 16);
  place(kMorphNameBoxes[category], x + columns.name, y, 58, 14);
  place(kMorphSliders[category], x + columns.slider, y + 20, 94, 18);
}

void placeFacePanel(Placer& place, int p, int h, int s3) {
  const int x = p - s3;
  place(kFaceCollapseButton, x + 355, h - 155, 14, 14);
  place(kFaceExpandButton, x + 355, h - 155, 14, 14);
  const SelectorColumns left{359, 433, 375, 357};
  const SelectorColumns right{460, 534, 476, 459};
  // Categories: 0 brow (lower left), 1 eye (upper left), 2 lip (upper right), 3 other (lower right).
  placeMorphSelector(place, 1, x, left, h - 120);
  placeMorphSelector(place, 0, x, left, h - 50);
  placeMorphSelector(place, 2, x, right, h - 120);
  placeMorphSelector(place, 3, x, right, h - 50);
  place(kMorphRegisterButtons[1], x + 388, h - 139, 30, 17);
  place(kMorphRegisterButtons[0], x + 388, h - 69, 30, 17);
  place(kMorphRegisterButtons[2], x + 490, h - 139, 30, 17);
  place(kMorphRegisterButtons[3], x + 490, h - 69, 30, 17);
}

void placeViewpointAndPlayback(Placer& place, int p, int h, int s4) {
  const int x = p - s4;
  const int viewButtons[2][3] = {{kFrontViewButton, kBackViewButton, kTopViewButton},
                                 {kLeftViewButton, kRightViewButton, kBottomViewButton}};
  const int offsets[3] = {643, 686, 728};
  const int widths[3] = {40, 39, 39};
  for (int line = 0; line < 2; ++line) {
    for (int i = 0; i < 3; ++i) {
      place(viewButtons[line][i], x + offsets[i], h - 140 + 20 * line, widths[i], 18);
    }
  }
  place(kPlayButton, x + 648, h - 63, 50, 24);
  place(kStartFrameBox, x + 645, h - 36, 50, 14);
  place(kStopFrameBox, x + 715, h - 36, 50, 14);
  place(kFollowModelCentreCheck, x + 650, h - 99, 13, 13);
  place(kRepeatCheck, x + 710, h - 58, 13, 13);
  place(kPlayFromCurrentFrameCheck, x + 642, h - 19, 13, 13);
  place(kStopFrameCheck, x + 710, h - 19, 13, 13);
}

}  // namespace

int clampPanelWidth(int panelWidth) {
  return std::clamp(panelWidth, kMinPanelWidth, kMaxPanelWidth);
}

PanelShifts panelShifts(bool cameraMode, const PanelOpen& open) {
  PanelShifts shifts;
  shifts.light = cameraMode && !open.camera ? 82 : 0;
  shifts.accessory = shifts.light + (cameraMode && !open.light ? 162 : 0);
  shifts.face =
      shifts.accessory + (cameraMode && !open.accessory ? 178 : 0) + (!cameraMode && !open.bone ? 178 : 0);
  shifts.viewpoint = shifts.face + (!cameraMode && !open.face ? 185 : 0) + (!cameraMode ? 79 : 0);
  return shifts;
}

std::vector<ControlPlace> layoutControls(const LayoutInput& input) {
  const int p = clampPanelWidth(input.panelWidth);
  const int h = input.clientHeight;
  const PanelShifts shifts = panelShifts(input.cameraMode, input.open);
  std::vector<ControlPlace> places;
  Placer place(places);
  placeLeftColumn(place, p, h);
  placeModelPanel(place, p, h);
  placeCameraPanel(place, p, h);
  placeLightPanel(place, p, h, shifts.light);
  placeAccessoryPanel(place, p, h, shifts.accessory);
  placeBonePanel(place, p, h);
  placeFacePanel(place, p, h, shifts.face);
  placeViewpointAndPlayback(place, p, h, shifts.viewpoint);
  return places;
}

void placeControls(port::Ui& ui, const Scene& scene) {
  const LayoutInput input{scene.panelWidth, ui.clientRect().height(), scene.cameraMode, scene.panelOpen};
  for (const ControlPlace& place : layoutControls(input)) {
    ui.placeControl(place.id, place.area);
  }
}

}  // namespace zv
