// The 3D view's interaction states the scene keeps: the tool in use, what the mouse is over, and
// which part of the picture the screen capture takes.
#pragma once

#include <cstdint>

namespace zv {

// The Enter key as the keyboard poller last saw it. Held means a press already counted, so the
// Enter that closes a dialog is not taken for a new press.
enum class KeyState : std::uint8_t { Up, Held };

// What a left-button press in the view does. The order matters: below None the bone lines and
// all markers show; from None up the ground shadow and outlines are drawn.
enum class EditMode : std::int32_t {
  Select = 0,
  BoxSelect = 1,
  None = 2,
  Rotate = 3,
  Move = 4,
  GizmoDrag = 5,  // a rotate or move gizmo drag in progress
};

// What the mouse is over. The strip buttons come in threes for the X, Y and Z axes; the bone
// strips show in model mode, the camera strips in camera mode.
enum class HoverZone : std::int32_t {
  Nothing = 0,
  ZoomIcon = 1,
  PanIcon = 2,
  RotateGizmoHorizontalArms = 3,
  RotateGizmoVerticalArms = 4,
  RotateGizmoRing = 5,
  MoveGizmoRightArm = 6,
  MoveGizmoUpperArm = 7,
  MoveGizmoCentre = 8,
  BoneRotateX = 9,
  BoneRotateY = 10,
  BoneRotateZ = 11,
  BoneMoveX = 12,
  BoneMoveY = 13,
  BoneMoveZ = 14,
  CameraMoveX = 15,
  CameraMoveY = 16,
  CameraMoveZ = 17,
  CameraRotateX = 18,
  CameraRotateY = 19,
  CameraRotateZ = 20,
};

// The part of the picture the screen capture copies into the capture texture.
enum class CaptureMode : std::int32_t {
  Off = 0,
  WholeView = 1,
  CentredView = 2,         // a centred part of the view, its width set by the output aspect
  CentredViewOrVideo = 3,  // as CentredView, but the background video's frame when one is loaded
};

}  // namespace zv
