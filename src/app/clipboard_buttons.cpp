#include "app/clipboard_buttons.h"

#include "scene/clipboard/key_clipboard.h"
#include "ui/control_ids.h"

namespace zv {

ClipboardState clipboardState(const Scene& scene) {
  const KeyClipboard& keys = scene.keyClipboard;
  ClipboardState state;
  state.poseHeld = !scene.poseClipboard.bones.empty();
  state.modelKeyBuffers = {!keys.boneKeys.empty(), !keys.morphKeys.empty(), !keys.displayIkKeys.empty()};
  state.cameraKeyBuffers = {!keys.cameraKeys.empty(), !keys.lightKeys.empty()};
  return state;
}

void showClipboardButtons(Scene& scene, FrameSystems& systems) {
  systems.panels.clipboards = clipboardState(scene);
  const KeyClipboard& keys = scene.keyClipboard;
  port::Ui& ui = *systems.ui;
  if (scene.cameraMode) {
    ui.enableControl(kKeyPasteButton, holdsCameraKeys(keys));
    ui.enableControl(kKeyMirrorPasteButton, false);
  } else {
    ui.enableControl(kKeyPasteButton, holdsModelKeys(keys));
    ui.enableControl(kKeyMirrorPasteButton, holdsBoneKeys(keys));
  }
  ui.enableControl(kPosePasteButton, systems.panels.clipboards.poseHeld);
  ui.enableControl(kPoseMirrorPasteButton, systems.panels.clipboards.poseHeld);
}

}  // namespace zv
