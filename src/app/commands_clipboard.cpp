// The key clipboard's buttons under the frame editor and the pose clipboard's in the bone panel.
#include "anim/sampling.h"
#include "app/clipboard_buttons.h"
#include "app/command_table.h"
#include "app/undo_commands.h"
#include "scene/clipboard/key_clipboard.h"
#include "scene/clipboard/pose_clipboard.h"
#include "ui/camera_panel.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"
#include "ui/model_panel.h"

namespace zv {
namespace {

bool copyKeysCommand(Scene& scene, FrameSystems& systems, int) {
  copyKeys(scene);
  showClipboardButtons(scene, systems);
  return false;
}

// The pasted keys take effect at once: the scene tracks in camera mode, the current model's pose
// otherwise.
void sampleAfterPaste(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  if (scene.cameraMode) {
    refreshCameraPanel(scene, ui, systems.device);
    sampleLightAtFrame(scene, scene.currentFrame);
    for (int slot = 0; slot < kMaxAccessories; ++slot) {
      sampleAccessoryAtFrame(scene, slot, scene.currentFrame);
    }
    return;
  }
  Model& model = *currentModel(scene);
  sampleModelAtFrame(model, scene.currentFrame);
  fillModelPanel(ui, model);
  showUndoButtons(ui, model.undoHistory);
}

bool finishPaste(Scene& scene, FrameSystems& systems, const Outcome& paste) {
  showMessages(*systems.ui, paste.messages);
  sampleAfterPaste(scene, systems);
  return paste.done;
}

bool pasteKeysCommand(Scene& scene, FrameSystems& systems, int) {
  const bool held =
      scene.cameraMode ? holdsCameraKeys(scene.keyClipboard) : holdsModelKeys(scene.keyClipboard);
  if (!held || (!scene.cameraMode && !currentModel(scene))) {
    return false;
  }
  return finishPaste(scene, systems, pasteKeys(scene));
}

bool pasteMirroredKeysCommand(Scene& scene, FrameSystems& systems, int) {
  if (!holdsBoneKeys(scene.keyClipboard)) {
    return false;
  }
  return finishPaste(scene, systems, pasteMirroredKeys(scene));
}

bool copyPoseCommand(Scene& scene, FrameSystems& systems, int) {
  if (copyPose(scene)) {
    showClipboardButtons(scene, systems);
  }
  return false;
}

bool pastePoseCommand(Scene& scene, FrameSystems& systems, int id) {
  const bool pasted = id == kPoseMirrorPasteButton ? pasteMirroredPose(scene) : pastePose(scene);
  if (pasted) {
    showUndoButtons(*systems.ui, currentModel(scene)->undoHistory);
  }
  return pasted;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kModel = CommandMode::ModelMode;
constexpr CommandMode kAny = CommandMode::Any;

const CommandRow kRows[] = {
    {kKeyCopyButton, kClick, copyKeysCommand},
    {kKeyPasteButton, kClick, pasteKeysCommand, kAny, false, true, true, true},
    {kKeyMirrorPasteButton, kClick, pasteMirroredKeysCommand, kModel, true, true, true, true},
    {kPoseCopyButton, kClick, copyPoseCommand, kModel, true},
    {kPosePasteButton, kClick, pastePoseCommand, kModel, true, false, false, true},
    {kPoseMirrorPasteButton, kClick, pastePoseCommand, kModel, true, false, false, true},
};

}  // namespace

std::span<const CommandRow> clipboardCommands() {
  return kRows;
}

}  // namespace zv
