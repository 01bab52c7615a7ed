#include "app/new_scene.h"

#include <cstdio>

#include "app/clipboard_buttons.h"
#include "app/startup.h"
#include "media/background_video.h"
#include "scene/clipboard/key_clipboard.h"
#include "ui/camera_panel.h"
#include "ui/control_ids.h"
#include "ui/curve_box.h"
#include "ui/model_selection.h"
#include "ui/panel_visibility.h"

namespace zv {
namespace {

std::string colourText(float colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%3d", static_cast<int>(colour * 256));
  return text;
}

std::string directionText(float direction) {
  char text[32];
  std::snprintf(text, sizeof text, "%+3.1f", static_cast<double>(direction));
  return text;
}

void returnToCameraMode(Scene& scene, port::Ui& ui, Panels& panels) {
  if (scene.cameraMode) {
    return;
  }
  ui.setControlRows(kIkChainList, {});
  ui.setControlRows(kRangeRowList, {});
  ui.checkControl(kVisibleCheck, false);
  enterCameraMode(scene, ui, panels);
}

void resetSceneValues(Scene& scene, FrameSystems& systems) {
  resetScene(scene);  // models, camera, light and accessory tracks, frame 0, camera mode
  if (systems.surface) {
    systems.surface->makeCurrent();
  }
  for (std::unique_ptr<Accessory>& accessory : systems.accessories) {
    accessory.reset();
  }
  scene.viewOffsetX = 0;
  scene.viewOffsetY = 0;
  scene.captureMode = CaptureMode::Off;
  scene.hoverZone = HoverZone::Nothing;
  scene.cameraRowScroll = 0;
  scene.poseClipboard = {};
  forgetBoneKeys(scene.keyClipboard);
  scene.curveClipboard.reset();
  systems.panels.clipboards = clipboardState(scene);
}

void emptyLists(port::Ui& ui) {
  for (int id : {kIkChainList, kAccessoryParentBoneList, kAccessoryList}) {
    ui.setControlRows(id, {});
  }
  // The scene's two rows, as entering camera mode gives them: an empty list would leave the range
  // selection of a new scene with nothing to apply to.
  ui.setControlRows(kRangeRowList, {"カメラ", "照明"});
  ui.selectControlRow(kRangeRowList, 0);
  for (int id : kMorphNameBoxes) {
    ui.setControlText(id, "");
  }
  ui.setControlRows(kModelList, {"ｶﾒﾗ･照明･ｱｸｾｻﾘ"});
  ui.selectControlRow(kModelList, 0);
  ui.setControlRows(kAccessoryParentModelList, {"地面"});
  ui.setControlRows(kCurveList, curveListRows(true));
  ui.selectControlRow(kCurveList, kRotationCurveRow);
  ui.setControlText(kCurrentFrameBox, "0");
  for (int id : {kCurveCopyButton, kCurvePasteButton, kUndoButton, kRedoButton, kPosePasteButton,
                 kPoseMirrorPasteButton, kKeyPasteButton, kKeyMirrorPasteButton}) {
    ui.enableControl(id, false);
  }
  for (int id : {kRangeStartBox, kRangeEndBox, kStartFrameBox, kStopFrameBox, kAccessoryScaleEdit}) {
    ui.setControlText(id, "");
  }
  for (int i = 0; i < 3; ++i) {
    ui.setControlText(kAccessoryPositionEdits[i], "");
    ui.setControlText(kAccessoryRotationEdits[i], "");
  }
}

void resetMenusAndTools(Scene& scene, port::Ui& ui) {
  for (int id : {kMenuShowAxes, kMenuShowGroundShadow, kMenu60Fps, kMenuCaptureOff}) {
    ui.checkControl(id, true);
  }
  for (int id :
       {kMenu30Fps, kMenuUnlimitedFps, kMenuCaptureModes[0], kMenuCaptureModes[1], kMenuCaptureModes[2],
        kMenuShowInfo, kMenuTranslucent, kVideoShownMenuItem, kImageShownMenuItem}) {
    ui.checkControl(id, false);
  }
  scene.editMode = EditMode::None;
  for (int id : {kSelectModeButton, kBoxSelectModeButton, kMoveButton, kRotateButton}) {
    ui.checkControl(id, false);
  }
}

void closeBackgrounds(Scene& scene, FrameSystems& systems) {
  unloadVideo(scene, systems.backgrounds);
  systems.backgrounds.image = BackgroundImage{};
  scene.backgroundVideoShown = 0;
  scene.backgroundImageShown = false;
  scene.showInfo = false;
  scene.showAxes = true;
  scene.showGroundShadow = true;
}

// The fresh camera and light tracks already hold the new-scene head keys; the live light matches.
void resetViewAndOptions(Scene& scene, port::Ui& ui) {
  scene.camera = LiveCamera{};
  scene.light = LiveLight{};
  ui.setWindowTitle(kWindowTitle);
  scene.projectPath.clear();
  scene.panelOpen = PanelOpen{};
  ui.checkControl(kPerspectiveButton, true);
  scene.followModelCentre = false;
  scene.repeatPlayback = false;
  scene.stopFrameOption = false;
  for (int id : {kFollowModelCentreCheck, kRepeatCheck, kStopFrameCheck, kAccessoryShadowCheck,
                 kAccessoryVisibleCheck}) {
    ui.checkControl(id, false);
  }
  scene.frameRateLimit = 60.0f;
}

void showCameraAndLight(const Scene& scene, port::Ui& ui) {
  const Vec3 colour = scene.light.lightColour;
  const Vec3 direction = scene.light.lightDirection;
  const float colours[] = {colour.x, colour.y, colour.z};
  const float directions[] = {direction.x, direction.y, direction.z};
  for (int i = 0; i < 3; ++i) {
    ui.setControlText(kLightColourBoxes[i], colourText(colours[i]));
    ui.setControlPosition(kLightColourBars[i], static_cast<int>(colours[i] * 256));
    ui.setControlText(kLightDirectionBoxes[i], directionText(directions[i]));
    ui.setControlPosition(kLightDirectionBars[i], static_cast<int>(directions[i] * 100));
  }
  ui.setControlText(kViewAngleBox, viewAngleText(scene.camera.fieldOfView));
  ui.setControlPosition(kViewAngleBar, static_cast<int>(scene.camera.fieldOfView));
}

}  // namespace

void newScene(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  Panels& panels = systems.panels;
  scene.modified = false;
  returnToCameraMode(scene, ui, panels);
  resetSceneValues(scene, systems);
  emptyLists(ui);
  resetMenusAndTools(scene, ui);
  closeBackgrounds(scene, systems);
  resetViewAndOptions(scene, ui);
  showCameraAndLight(scene, ui);
  enableModeMenus(ui, true);
  rebuildRows(scene, panels);
  refreshCurveBox(scene, panels, ui);
  refreshCameraPanel(scene, ui, systems.device);
  updatePanelVisibility(scene, ui, panels.clipboards);
  if (panels.relayout) {
    panels.relayout();
  }
  ui.repaint();
}

}  // namespace zv
