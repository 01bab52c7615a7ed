#include "app/command_handler.h"

#include "app/model_commands.h"
#include "app/project_file.h"
#include "app/window_panels.h"
#include "ui/control_ids.h"

namespace zv {

// Only the project file menu items, the model panel, the panel sections and the row scroll act so
// far; every other id is received and changes nothing.
void handleCommand(Scene& scene, FrameSystems& systems, int id, int notification) {
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
  }
}

}  // namespace zv
