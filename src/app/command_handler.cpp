#include "app/command_handler.h"

#include "app/command_table.h"
#include "app/frame_navigation.h"
#include "app/track_bar_moves.h"
#include "app/window_panels.h"
#include "ui/control_ids.h"
#include "ui/curve_box.h"

namespace zv {
namespace {

bool modeAllows(const Scene& scene, CommandMode mode) {
  switch (mode) {
    case CommandMode::ModelMode:
      return !scene.cameraMode;
    case CommandMode::CameraMode:
      return scene.cameraMode;
    case CommandMode::Any:
      break;
  }
  return true;
}

void afterChange(Scene& scene, FrameSystems& systems, const CommandRow& row) {
  if (row.marksModified) {
    scene.modified = true;
  }
  if (row.refreshesPanels) {
    rebuildRows(scene, systems.panels);
    refreshCurveBox(scene, systems.panels, *systems.ui);
    systems.ui->repaint();
  }
}

}  // namespace

void handleCommand(Scene& scene, FrameSystems& systems, int id, int notification) {
  const CommandRow* row = findCommand(id, notification);
  if (!row || !modeAllows(scene, row->mode) || (row->needsModel && !currentModel(scene))) {
    return;
  }
  if (row->asksUser) {
    scene.enterKeyState = KeyState::Held;
  }
  if (row->action(scene, systems, id)) {
    afterChange(scene, systems, *row);
  }
  if (row->focusesMainWindow) {
    systems.ui->focusMainWindow();
  }
}

void handleScroll(Scene& scene, FrameSystems& systems, int id, port::ScrollCode code, int position) {
  if (id == kRowScrollBar) {
    scrollFrameEditorRows(scene, systems, code, position);
  } else if (id == kFrameScrollBar) {
    timelineScroll(scene, systems, code, position);
  } else {
    moveTrackBar(scene, systems, id, position);
  }
}

}  // namespace zv
