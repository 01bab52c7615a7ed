// Where every control of the main window goes: a pure function of the panel width, the client
// size, the mode and which panel sections are open, and the step that moves the controls there.
#pragma once

#include <vector>

#include "port/ui.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr int kMinPanelWidth = 250;
inline constexpr int kMaxPanelWidth = 1000;

struct LayoutInput {
  int panelWidth = 250;    // width of the left column; clamped to 250..1000
  int clientHeight = 0;    // the main window's client height in pixels
  bool cameraMode = true;  // camera, light and accessory panels instead of bone and face panels
  PanelOpen open;
};

struct ControlPlace {
  int id = 0;
  port::Rect area;  // client pixels
  bool operator==(const ControlPlace&) const = default;
};

// Horizontal shifts of the panels right of a collapsed one, left to right.
struct PanelShifts {
  int light = 0;      // s1: the light panel, after the camera panel
  int accessory = 0;  // s2: the accessory panel
  int face = 0;       // s3: the face panel, and the accessory panel's right neighbours
  int viewpoint = 0;  // s4: the viewpoint and playback panels
};

int clampPanelWidth(int panelWidth);
PanelShifts panelShifts(bool cameraMode, const PanelOpen& open);

// The place of every control, in id order of the layout table.
std::vector<ControlPlace> layoutControls(const LayoutInput& input);

// Moves every control to its place for the scene's panel width, mode and open sections.
void placeControls(port::Ui& ui, const Scene& scene);

}  // namespace zv
