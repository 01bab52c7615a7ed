// The 3D view's interaction states the scene keeps: the tool in use, what the mouse is over, and
// which part of the picture the screen capture takes.
#pragma once

#include <cstdint>

namespace zv {

// A key or mouse button as the once-per-step poll sees it: Pressed and Released last one poll.
// Commands mark Enter Held before a dialog, so the Enter that closes it is not taken for a press.
enum class KeyState : std::uint8_t { Up = 0, Pressed = 1, Released = 2, Held = 3 };

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

// A zoom or pan icon drag: the cursor is hidden and held by the icon until the button is let go.
enum class CapturedWidget : std::int32_t { None = 0, ZoomIcon = 1, PanIcon = 2 };

// The left-button drag in progress, started by a press on a gizmo or widget-strip button. Bone
// drags come first (1-12), then the camera strips (13-18).
enum class DragMode : std::int32_t {
  None = 0,
  TurnAboutScreenVertical = 1,
  TurnAboutScreenHorizontal = 2,
  TurnAboutViewAxis = 3,
  TurnAboutBoneX = 4,
  TurnAboutBoneY = 5,
  TurnAboutBoneZ = 6,
  MoveAlongScreenHorizontal = 7,
  MoveAlongScreenVertical = 8,
  MoveInScreenPlane = 9,
  MoveAlongWorldX = 10,
  MoveAlongWorldY = 11,
  MoveAlongWorldZ = 12,
  CameraCentreX = 13,
  CameraCentreY = 14,
  CameraCentreZ = 15,
  CameraAngleX = 16,
  CameraAngleY = 17,
  CameraAngleZ = 18,
};

// The part of the picture the screen capture copies into the capture texture.
enum class CaptureMode : std::int32_t {
  Off = 0,
  WholeView = 1,
  CentredView = 2,         // a centred part of the view, its width set by the output aspect
  CentredViewOrVideo = 3,  // as CentredView, but the background video's frame when one is loaded
};

}  // namespace zv
