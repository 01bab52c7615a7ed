// The frame editor's own controls: the frame steps, the jump back to the current frame, and the
// boxes that commit a typed value on Enter or when the focus leaves them.
#include "app/command_table.h"
#include "app/edit_box_commit.h"
#include "app/frame_navigation.h"
#include "app/key_table.h"
#include "port/ui.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

bool stepBack(Scene& scene, FrameSystems& systems, int) {
  previousFrame(scene, systems);
  return false;
}

bool stepForward(Scene& scene, FrameSystems& systems, int) {
  nextFrame(scene, systems);
  return false;
}

bool scrollToCurrentFrame(Scene& scene, FrameSystems& systems, int) {
  showCurrentFrame(scene, systems);
  return false;
}

constexpr int kCommittingBoxes[] = {
    kCurrentFrameBox,           kViewAngleBox,
    kLightColourBoxes[0],       kLightColourBoxes[1],
    kLightColourBoxes[2],       kLightDirectionBoxes[0],
    kLightDirectionBoxes[1],    kLightDirectionBoxes[2],
    kAccessoryPositionEdits[0], kAccessoryPositionEdits[1],
    kAccessoryPositionEdits[2], kAccessoryRotationEdits[0],
    kAccessoryRotationEdits[1], kAccessoryRotationEdits[2],
    kAccessoryScaleEdit,
};

void rememberBoxText(FrameSystems& systems, int id) {
  systems.panels.focusedBox = id;
  systems.panels.focusedBoxText = systems.ui->control(id).text;
}

// The box's value is applied and shown by the commit itself; no row rebuild is needed after it.
// The Enter belongs to the box: it must not also register the selected bones.
bool commitOnEnter(Scene& scene, FrameSystems& systems, int id) {
  takeEnterAsHeld(scene, systems.keyboard);
  commitEditBox(scene, systems, id);
  rememberBoxText(systems, id);
  return false;
}

bool takeFocus(Scene&, FrameSystems& systems, int id) {
  rememberBoxText(systems, id);
  return false;
}

// A value typed and left without Enter is applied as well, so that the box never shows a value
// the scene does not hold. A box that loses the focus because it was disabled or hidden (playback
// starting, the mode changing) is not the user's choice to apply.
bool commitOnLeaving(Scene& scene, FrameSystems& systems, int id) {
  Panels& panels = systems.panels;
  const port::ControlState box = systems.ui->control(id);
  if (panels.focusedBox == id && box.enabled && box.visible && box.text != panels.focusedBoxText) {
    commitEditBox(scene, systems, id);
  }
  panels.focusedBox = 0;
  return false;
}

std::vector<CommandRow> frameEditorRows() {
  std::vector<CommandRow> rows = {
      {kPreviousFrameButton, port::kNotifyClicked, stepBack},
      {kNextFrameButton, port::kNotifyClicked, stepForward},
      {kShowCurrentFrameButton, port::kNotifyClicked, scrollToCurrentFrame},
  };
  for (const int box : kCommittingBoxes) {
    rows.push_back({box, port::kNotifyEnterPressed, commitOnEnter});
    rows.push_back({box, port::kNotifyFocusGained, takeFocus});
    rows.push_back({box, port::kNotifyFocusLost, commitOnLeaving});
  }
  return rows;
}

}  // namespace

std::span<const CommandRow> frameEditorCommands() {
  static const std::vector<CommandRow> rows = frameEditorRows();
  return rows;
}

}  // namespace zv
