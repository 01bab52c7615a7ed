#include "app/command_handler.h"

#include "app/edit_box_commit.h"
#include "app/frame_navigation.h"
#include "app/model_commands.h"
#include "app/project_file.h"
#include "app/window_panels.h"
#include "ui/control_ids.h"

namespace zv {

// Only the project file menu items, the model panel, the panel sections, the frame editor's
// navigation and the row and frame scrolls act so far; every other id is received and changes nothing.
namespace {

// The frame editor's own controls; false for any other id.
bool frameEditorCommand(Scene& scene, FrameSystems& systems, int id, int notification) {
  if (notification == port::kNotifyEnterPressed) {
    return commitEditBox(scene, systems, id);
  }
  if (notification != port::kNotifyClicked) {
    return false;
  }
  switch (id) {
    case kPreviousFrameButton:
      previousFrame(scene, systems);
      return true;
    case kNextFrameButton:
      nextFrame(scene, systems);
      return true;
    case kShowCurrentFrameButton:
      showCurrentFrame(scene, systems);
      return true;
    default:
      return false;
  }
}

}  // namespace

void handleCommand(Scene& scene, FrameSystems& systems, int id, int notification) {
  if (frameEditorCommand(scene, systems, id, notification)) {
    return;
  }
  if (id == kModelList) {
    if (notification == port::kNotifySelectionChanged) {
      modelListChanged(scene, systems);
      systems.ui->focusMainWindow();
    }
    return;
  }
  if (notification != port::kNotifyClicked) {
    return;
  }
  if (id == kMenuOpen) {
    openProjectCommand(scene, systems);
  } else if (id == kMenuSave) {
    saveProjectCommand(scene, systems);
  } else if (id == kMenuSaveAs) {
    saveProjectAs(scene, systems);
  } else if (id == kLoadModelButton) {
    addModelFromDialog(scene, systems);
  } else if (id == kDeleteModelButton) {
    deleteModel(scene, systems);
  } else {
    collapseOrExpandPanel(scene, systems, id);
  }
}

void handleScroll(Scene& scene, FrameSystems& systems, int id, port::ScrollCode code, int position) {
  if (id == kRowScrollBar) {
    scrollFrameEditorRows(scene, systems, code, position);
  } else if (id == kFrameScrollBar) {
    timelineScroll(scene, systems, code, position);
  }
}

}  // namespace zv
