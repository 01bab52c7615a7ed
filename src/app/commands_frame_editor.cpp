// The frame editor's own controls: the frame steps, the jump back to the current frame, and Enter
// in the boxes that commit a typed value.
#include "app/command_table.h"
#include "app/edit_box_commit.h"
#include "app/frame_navigation.h"
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

// The box's value is applied and shown by the commit itself; no row rebuild is needed after it.
bool commitBox(Scene& scene, FrameSystems& systems, int id) {
  commitEditBox(scene, systems, id);
  return false;
}

constexpr CommandRow click(int id, CommandAction action) {
  return {id, port::kNotifyClicked, action};
}

constexpr CommandRow enter(int id) {
  return {id, port::kNotifyEnterPressed, commitBox};
}

constexpr CommandRow kRows[] = {
    click(kPreviousFrameButton, stepBack),
    click(kNextFrameButton, stepForward),
    click(kShowCurrentFrameButton, scrollToCurrentFrame),
    enter(kCurrentFrameBox),
    enter(kViewAngleBox),
    enter(kLightColourBoxes[0]),
    enter(kLightColourBoxes[1]),
    enter(kLightColourBoxes[2]),
    enter(kLightDirectionBoxes[0]),
    enter(kLightDirectionBoxes[1]),
    enter(kLightDirectionBoxes[2]),
    enter(kAccessoryPositionEdits[0]),
    enter(kAccessoryPositionEdits[1]),
    enter(kAccessoryPositionEdits[2]),
    enter(kAccessoryRotationEdits[0]),
    enter(kAccessoryRotationEdits[1]),
    enter(kAccessoryRotationEdits[2]),
    enter(kAccessoryScaleEdit),
};

}  // namespace

std::span<const CommandRow> frameEditorCommands() {
  return kRows;
}

}  // namespace zv
