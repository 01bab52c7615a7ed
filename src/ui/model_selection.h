// Switching the panels between the camera entry and a model when the model list's selection
// changes: the mode, the sections shown, the tool buttons, the menus, the paste buttons and the
// frame editor's rows.
#pragma once

#include <string>
#include <vector>

#include "port/ui.h"
#include "scene/document/scene.h"
#include "ui/panels.h"

namespace zv {

inline constexpr int kRotationCurveRow = 3;  // "回　転", the curve list's row after a mode change

// The slot of the model listed at `row` of the model list, -1 for the camera row or no model.
int modelSlotOfListRow(Scene& scene, int row);

// The curve list's rows: the four bone channels, and the camera's distance and view angle after
// them in camera mode.
std::vector<std::string> curveListRows(bool cameraMode);

// Model-dependent menu items, greyed in camera mode; the camera-mode items are the reverse.
inline constexpr int kModelMenuItems[] = {220, 226, 221, 203, 204, 225, 263, 264, 265,
                                          266, 228, 231, 232, 233, 234, 235, 236};
inline constexpr int kCameraMenuItems[] = {254, 255, 256, 257, 258};
void enableModeMenus(port::Ui& ui, bool cameraMode);

// Turns the panels to camera mode (the curve list gains its camera rows), shows its sections and
// lays the window out. The caller has emptied the model lists.
void enterCameraMode(Scene& scene, port::Ui& ui, Panels& panels);

// Acts on the selected row of the model list: row 0 is the camera entry, any other row the model
// listed there. Selecting the mode already shown switches nothing.
void applyModelSelection(Scene& scene, port::Ui& ui, Panels& panels);

}  // namespace zv
