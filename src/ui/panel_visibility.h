// Which controls show and which respond, by mode, open sections, model-list row, undo state and
// pose clipboard. A collapsed section keeps only its "＋" button; the other mode's sections hide.
#pragma once

#include <string>
#include <vector>

#include "port/ui.h"
#include "scene/document/scene.h"
#include "ui/clipboard_state.h"

namespace zv {

struct VisibilityInput {
  bool cameraMode = true;
  PanelOpen open;
  int modelListRow = 0;  // selected row of the model list; 0 is the camera entry
  bool canUndo = false;  // the operated model has something to undo
  bool canRedo = false;
  bool poseHeld = false;  // the pose clipboard holds something
};

struct ControlSwitch {
  int id = 0;
  bool on = false;
  bool operator==(const ControlSwitch&) const = default;
};

struct PanelVisibility {
  std::vector<ControlSwitch> shown;    // show (on) or hide
  std::vector<ControlSwitch> enabled;  // enable (on) or disable
  std::string bottomViewCaption;       // button 307: "下面" in camera mode, "カメラ" in model mode
  bool dropFirstIkRow = false;         // the camera entry is selected: list 342 loses its first row
};

PanelVisibility panelVisibility(const VisibilityInput& input);
void applyPanelVisibility(port::Ui& ui, const PanelVisibility& visibility);

// The visibility for the scene as it stands, applied.
void updatePanelVisibility(Scene& scene, port::Ui& ui, const ClipboardState& clipboards);

}  // namespace zv
