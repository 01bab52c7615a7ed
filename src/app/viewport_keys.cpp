#include "app/viewport_keys.h"

#include <algorithm>
#include <array>

#include "app/command_handler.h"
#include "app/frame_navigation.h"
#include "app/frame_step.h"
#include "app/key_table.h"
#include "app/recording_commands.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using port::letterKey;

bool focusInTextBox(int id) {
  constexpr std::array kSingleBoxes = {309, 310, 317, 325, 326, 347};
  return std::find(kSingleBoxes.begin(), kSingleBoxes.end(), id) != kSingleBoxes.end() ||
         (id >= 358 && id <= 363) || (id >= 373 && id <= 379);
}

void click(Scene& scene, FrameSystems& systems, int id) {
  handleCommand(scene, systems, id, port::kNotifyClicked);
}

void selectNextModel(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  const port::ControlState list = ui.control(kModelList);
  if (list.rows.empty()) {
    return;
  }
  const int next = list.selection + 1 < static_cast<int>(list.rows.size()) ? list.selection + 1 : 0;
  ui.selectControlRow(kModelList, next);
  handleCommand(scene, systems, kModelList, port::kNotifySelectionChanged);
}

// One arrow key: a step at once, then one per frame step once it has been held past the delay.
void stepWithArrow(Scene& scene, FrameSystems& systems, int key, void (*step)(Scene&, FrameSystems&)) {
  const KeyState state = keyState(scene, key);
  if (state == KeyState::Pressed) {
    step(scene, systems);
    scene.keyRepeatSeconds = 0;
  } else if (state == KeyState::Held) {
    scene.keyRepeatSeconds += scene.frameElapsedSeconds;
    if (scene.keyRepeatSeconds > kArrowRepeatDelaySeconds) {
      step(scene, systems);
    }
  }
}

// Checks only `button` of the four tool buttons and switches to its mode.
void chooseToolButton(Scene& scene, port::Ui& ui, int button, EditMode mode) {
  for (const int tool : {kSelectModeButton, kBoxSelectModeButton, kMoveButton, kRotateButton}) {
    ui.checkControl(tool, tool == button);
  }
  scene.editMode = mode;
}

void toggleSelectTool(Scene& scene, port::Ui& ui) {
  const bool selecting = ui.control(kSelectModeButton).checked;
  chooseToolButton(scene, ui, selecting ? 0 : kSelectModeButton,
                   selecting ? EditMode::None : EditMode::Select);
}

void applyModelKeys(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  const bool control = keyDown(scene, port::kKeyControl);
  if (keyPressed(scene, letterKey('C'))) {
    toggleSelectTool(scene, ui);
  }
  if (keyPressed(scene, letterKey('X'))) {
    if (control) {
      click(scene, systems, kRedoButton);
    } else {
      chooseToolButton(scene, ui, kRotateButton, EditMode::Rotate);
    }
  }
  if (keyPressed(scene, letterKey('Z'))) {
    if (control) {
      click(scene, systems, kUndoButton);
    } else {
      chooseToolButton(scene, ui, kMoveButton, EditMode::Move);
    }
  }
  const std::array<std::pair<int, int>, 4> commandKeys = {{{port::kKeyEnter, kRegisterFrameButton},
                                                           {letterKey('A'), kSelectAllBonesButton},
                                                           {letterKey('S'), kSelectUnregisteredButton},
                                                           {letterKey('D'), kMenuCentreBias}}};
  for (const auto& [key, command] : commandKeys) {
    if (keyPressed(scene, key)) {
      click(scene, systems, command);
    }
  }
}

struct ViewPreset {
  int keypadDigit;
  float offsetY;
  float distance;
  float angleX;
  float angleY;
};

constexpr float kQuarterTurn = 1.5708f;
constexpr std::array<ViewPreset, 6> kViewPresets = {{
    {2, 10, -35, 0, 0},
    {4, 10, -35, 0, kQuarterTurn},
    {6, 10, -35, 0, -kQuarterTurn},
    {8, 10, -35, 0, 3.141592f},
    {5, 0, -35, -kQuarterTurn, 0},
    {0, 0, -15, kQuarterTurn, 0},
}};

void applyViewPresets(Scene& scene) {
  for (const ViewPreset& preset : kViewPresets) {
    if (keyPressed(scene, port::kKeyPad0 + preset.keypadDigit)) {
      scene.viewOffsetX = 0;
      scene.viewOffsetY = preset.offsetY;
      scene.camera.cameraDistance = preset.distance;
      scene.camera.cameraAngles.x = preset.angleX;
      scene.camera.cameraAngles.y = preset.angleY;
    }
  }
}

}  // namespace

void applyViewportKeys(Scene& scene, FrameSystems& systems) {
  if (keyPressed(scene, port::kKeyEscape) && scene.recording) {
    stopRecording(scene, systems);
  }
  if (focusInTextBox(systems.ui->keyboardFocus())) {
    return;
  }
  if (keyPressed(scene, letterKey('V'))) {
    click(scene, systems, kMenuTranslucent);
  }
  if (keyPressed(scene, port::kKeyDelete)) {
    click(scene, systems, kKeyDeleteButton);
  }
  if (keyPressed(scene, port::kKeyTab)) {
    selectNextModel(scene, systems);
  }
  if (!scene.playing) {
    stepWithArrow(scene, systems, port::kKeyRight, nextFrame);
    stepWithArrow(scene, systems, port::kKeyLeft, previousFrame);
  }
  if (!scene.playing && !scene.cameraMode) {
    applyModelKeys(scene, systems);
  }
  if (!scene.cameraMode) {
    applyViewPresets(scene);
  }
}

}  // namespace zv
