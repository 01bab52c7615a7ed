// The editing commands that first ask for a number: the centre-position, camera-distance and
// view-angle biases, the lip-frame shift and the time stretch of the range boxes.
#include <string>

#include "anim/bone_key_stretch.h"
#include "anim/centre_bias.h"
#include "anim/morph_frame_edits.h"
#include "app/command_table.h"
#include "app/small_dialogs.h"
#include "app/undo_commands.h"
#include "scene/keys/camera_key_bias.h"
#include "ui/camera_panel.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

bool biasCentre(Scene& scene, FrameSystems& systems, int) {
  if (!askBiasOffset(scene, *systems.ui)) {
    return false;
  }
  Model& model = *currentModel(scene);
  applyCentreBias(scene, model, scene.biasOffset);
  showUndoButtons(*systems.ui, model.undoHistory);
  return true;
}

bool biasCameraKeys(Scene& scene, FrameSystems& systems, int id) {
  port::Ui& ui = *systems.ui;
  if (id == kMenuCameraDistanceBias) {
    if (!askCameraDistanceDelta(scene, ui)) {
      return false;
    }
    biasCameraDistance(scene, scene.integerDelta);
  } else {
    if (!askViewAngleDelta(scene, ui)) {
      return false;
    }
    biasViewAngle(scene, scene.integerDelta);
  }
  refreshCameraPanel(scene, ui, systems.device);
  return true;
}

bool shiftLipFrames(Scene& scene, FrameSystems& systems, int) {
  if (!askFrameShift(scene, *systems.ui)) {
    return false;
  }
  const Outcome shifted = shiftLipKeys(scene, *currentModel(scene), scene.integerDelta);
  showMessages(*systems.ui, shifted.messages);
  return shifted.done;
}

// The range boxes hold at most seven digits, as every frame box of the window.
std::int32_t rangeBoxFrame(const port::Ui& ui, int id) {
  return dialogInteger(std::string_view(ui.control(id).text).substr(0, 7));
}

bool stretchRange(Scene& scene, FrameSystems& systems, int) {
  port::Ui& ui = *systems.ui;
  const std::int32_t from = rangeBoxFrame(ui, kRangeStartBox);
  const std::int32_t to = rangeBoxFrame(ui, kRangeEndBox);
  if (to <= from || !askTimeScale(scene, ui)) {
    return false;
  }
  Model& model = *currentModel(scene);
  const Outcome stretched = stretchBoneKeys(scene, model, from, to, scene.timeScale);
  showMessages(ui, stretched.messages);
  showUndoButtons(ui, model.undoHistory);
  return stretched.done;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kModel = CommandMode::ModelMode;
constexpr CommandMode kCamera = CommandMode::CameraMode;

const CommandRow kRows[] = {
    {kMenuCentreBias, kClick, biasCentre, kModel, true, true, true, true},
    {kMenuCameraDistanceBias, kClick, biasCameraKeys, kCamera, false, true, true, false},
    {kMenuViewAngleBias, kClick, biasCameraKeys, kCamera, false, true, true, false},
    {kMenuShiftLipKeys, kClick, shiftLipFrames, kModel, true, true, true, true},
    {kStretchButton, kClick, stretchRange, kModel, true, true, true, true},
};

}  // namespace

std::span<const CommandRow> numberEditCommands() {
  return kRows;
}

}  // namespace zv
