#include "app/viewport_input.h"

#include <cmath>
#include <numbers>

#include "app/bone_drags.h"
#include "app/bone_picking.h"
#include "app/hover_zones.h"
#include "app/key_table.h"
#include "app/pose_undo.h"
#include "app/timeline_mouse.h"
#include "app/view_geometry.h"
#include "app/viewport_keys.h"
#include "app/window_panels.h"
#include "media/background_image.h"
#include "media/background_video.h"
#include "render/back_buffer_painting.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr std::int32_t kUnsignedWrapLimit = 60000;
constexpr float kRightDragPan = 0.1f;
constexpr float kRightDragTurn = 0.01f;
constexpr float kRightDragZoom = 0.1f;
constexpr float kMiddleDragPan = 0.05f;
constexpr float kGizmoTurnPerPixel = 0.005f;
constexpr float kStripMovePerPixel = 0.05f;
constexpr float kCameraCentrePerPixel = 0.05f;
constexpr float kCameraAnglePerPixel = 0.02f;
constexpr float kPerspectiveMoveFactor = 0.825f;
constexpr float kOrthographicMoveFactor = 0.75f;
constexpr float kZoomPerPixel = 0.1f;

// Where the released icon hands the cursor back: next to the icon it held it with.
constexpr int kZoomIconCursorX = 52;
constexpr int kPanIconCursorX = 22;
constexpr int kIconCursorY = 23;

// The pointer's motion since the last step; a warp of the cursor that also moves the previous
// position takes no motion with it.
struct Input {
  int dx() const { return scene.mouseX - scene.prevMouseX; }
  int dy() const { return scene.mouseY - scene.prevMouseY; }

  Scene& scene;
  FrameSystems& systems;
  ViewGeometry geometry;
  bool shift = false;
  bool control = false;
};

void warpCursor(Input& in, int x, int y) {
  in.scene.mouseX = x;
  in.scene.mouseY = y;
  in.systems.ui->moveCursor(x, y);
}

void refreshPanels(Input& in) {
  rebuildRows(in.scene, in.systems.panels);
  in.systems.ui->repaint();
}

void dragWithRightButton(Input& in) {
  Scene& scene = in.scene;
  if (keyState(scene, port::kMouseRight) != KeyState::Held) {
    return;
  }
  if (in.shift && !scene.cameraMode) {
    scene.viewOffsetY += kRightDragPan * static_cast<float>(in.dy());
    scene.viewOffsetX -= kRightDragPan * static_cast<float>(in.dx());
  } else if (!in.control) {
    scene.camera.cameraAngles.y -= kRightDragTurn * static_cast<float>(in.dx());
    scene.camera.cameraAngles.x -= kRightDragTurn * static_cast<float>(in.dy());
  } else {
    scene.camera.cameraDistance -= kRightDragZoom * static_cast<float>(in.dy());
  }
}

// Pans the camera centre across the screen in camera mode, the eye's offset in model mode.
void pan(Input& in) {
  Scene& scene = in.scene;
  if (!scene.cameraMode) {
    scene.viewOffsetY += kMiddleDragPan * static_cast<float>(in.dy());
    scene.viewOffsetX -= kMiddleDragPan * static_cast<float>(in.dx());
    return;
  }
  const Vec3 angles = scene.camera.cameraAngles;
  const Mat4 m = rotationZ(-angles.z) * (rotationX(angles.x) * rotationY(angles.y));
  const float g = static_cast<float>(-in.dx());
  const float h = static_cast<float>(in.dy());
  Vec3& centre = scene.camera.cameraCentre;
  centre.x += kMiddleDragPan * (g * m.m[0][0] + h * m.m[1][0]);
  centre.y += kMiddleDragPan * (g * m.m[0][1] + h * m.m[1][1]);
  centre.z -= kMiddleDragPan * (g * m.m[0][2] + h * m.m[1][2]);
}

void dragWithMiddleButton(Input& in) {
  const KeyState state = keyState(in.scene, port::kMouseMiddle);
  if (state == KeyState::Pressed && !in.scene.cameraMode) {
    warpCursor(in, viewCentreX(in.geometry), viewCentreY(in.geometry));
  } else if (state == KeyState::Held) {
    pan(in);
  }
}

bool insideView(const Input& in) {
  const port::Rect& view = in.geometry.view;
  return in.scene.mouseX > view.left && view.top < in.scene.mouseY && in.scene.mouseY < view.bottom;
}

void pressInView(Input& in) {
  Scene& scene = in.scene;
  Model* model = currentModel(scene);
  if (!model || scene.cameraMode || scene.playing || !insideView(in)) {
    return;
  }
  if (scene.editMode == EditMode::Select) {
    pickBones(*model, backBufferX(in.geometry, scene.mouseX), backBufferY(in.geometry, scene.mouseY),
              in.shift);
    refreshPanels(in);
  } else if (scene.editMode == EditMode::BoxSelect) {
    scene.boxStartX = scene.mouseX;
    scene.boxStartY = scene.mouseY;
    scene.boxActive = true;
  }
}

void captureCursor(Input& in, CapturedWidget widget) {
  warpCursor(in, viewCentreX(in.geometry), viewCentreY(in.geometry));
  in.scene.prevMouseX = in.scene.mouseX;
  in.scene.prevMouseY = in.scene.mouseY;
  in.scene.capturedWidget = widget;
  in.systems.ui->hideCursor();
}

// The drag a press on `zone` starts, with its edit mode while it runs.
struct ZoneDrag {
  DragMode drag;
  bool gizmo;  // a gizmo drag: the edit mode shows it
  bool bone;   // poses bones: the pose is recorded for undo first
};

ZoneDrag zoneDrag(HoverZone zone) {
  switch (zone) {
    case HoverZone::RotateGizmoHorizontalArms:
      return {DragMode::TurnAboutScreenVertical, true, true};
    case HoverZone::RotateGizmoVerticalArms:
      return {DragMode::TurnAboutScreenHorizontal, true, true};
    case HoverZone::RotateGizmoRing:
      return {DragMode::TurnAboutViewAxis, true, true};
    case HoverZone::MoveGizmoRightArm:
      return {DragMode::MoveAlongScreenHorizontal, true, true};
    case HoverZone::MoveGizmoUpperArm:
      return {DragMode::MoveAlongScreenVertical, true, true};
    case HoverZone::MoveGizmoCentre:
      return {DragMode::MoveInScreenPlane, true, true};
    default:
      break;
  }
  const auto value = static_cast<int>(zone);
  if (value >= static_cast<int>(HoverZone::BoneRotateX) &&
      value <= static_cast<int>(HoverZone::BoneRotateZ)) {
    return {static_cast<DragMode>(value - 5), false, true};
  }
  if (value >= static_cast<int>(HoverZone::BoneMoveX) && value <= static_cast<int>(HoverZone::BoneMoveZ)) {
    return {static_cast<DragMode>(value - 2), false, true};
  }
  if (value >= static_cast<int>(HoverZone::CameraMoveX) &&
      value <= static_cast<int>(HoverZone::CameraRotateZ)) {
    return {static_cast<DragMode>(value - 2), false, false};
  }
  return {DragMode::None, false, false};
}

void pressLeftButton(Input& in) {
  Scene& scene = in.scene;
  if (scene.hoverZone == HoverZone::ZoomIcon || scene.hoverZone == HoverZone::PanIcon) {
    captureCursor(in, static_cast<CapturedWidget>(scene.hoverZone));
    return;
  }
  if (scene.hoverZone == HoverZone::Nothing) {
    pressInView(in);
    return;
  }
  const ZoneDrag start = zoneDrag(scene.hoverZone);
  if (start.bone) {
    recordPoseUndo(scene, *in.systems.ui);
  }
  if (start.gizmo) {
    scene.editMode = EditMode::GizmoDrag;
  }
  if (start.drag == DragMode::TurnAboutViewAxis) {
    scene.ringAnchorX = clientX(in.geometry, scene.gizmoScreenX);
    scene.ringAnchorY = clientY(in.geometry, scene.gizmoScreenY);
  }
  scene.dragMode = start.drag;
}

void releaseCursor(Input& in) {
  const port::Rect& view = in.geometry.view;
  const int fromRight =
      in.scene.capturedWidget == CapturedWidget::ZoomIcon ? kZoomIconCursorX : kPanIconCursorX;
  warpCursor(in, view.right - fromRight, view.top + kIconCursorY);
  in.scene.capturedWidget = CapturedWidget::None;
  in.systems.ui->showCursor();
}

void releaseLeftButton(Input& in) {
  Scene& scene = in.scene;
  timelineMouseUp(in.systems);
  if (scene.capturedWidget != CapturedWidget::None) {
    releaseCursor(in);
  } else if (scene.dragMode != DragMode::None) {
    const auto drag = static_cast<int>(scene.dragMode);
    if (drag < static_cast<int>(DragMode::TurnAboutBoneX)) {
      scene.editMode = EditMode::Rotate;
    } else if (drag >= static_cast<int>(DragMode::MoveAlongScreenHorizontal) &&
               drag <= static_cast<int>(DragMode::MoveInScreenPlane)) {
      scene.editMode = EditMode::Move;
    }
    scene.dragMode = DragMode::None;
  } else if (scene.boxActive) {
    scene.boxActive = false;
    if (Model* model = currentModel(scene)) {
      settleBoxSelection(*model, in.shift);
    }
    refreshPanels(in);
  }
}

void composeShownBackgrounds(Input& in) {
  Scene& scene = in.scene;
  if (scene.backgroundVideoShown) {
    showMessages(*in.systems.ui, composeVideo(scene, in.systems.backgrounds).messages);
  }
  if (scene.backgroundImageShown) {
    showMessages(*in.systems.ui, composeImage(scene, in.systems.backgrounds));
  }
}

// Shift drags the background video, Ctrl the background image; nothing when that one is absent.
BackgroundPlacement* draggedBackground(Input& in, int& width, int& height) {
  Backgrounds& backgrounds = in.systems.backgrounds;
  if (in.shift && videoLoaded(backgrounds)) {
    width = backgrounds.video.frameWidth;
    height = backgrounds.video.frameHeight;
    return &backgrounds.video.placement;
  }
  if (in.control && imageLoaded(backgrounds)) {
    width = backgrounds.image.bitmap.width;
    height = backgrounds.image.bitmap.height;
    return &backgrounds.image.placement;
  }
  return nullptr;
}

void dragZoomIcon(Input& in) {
  int width = 0;
  int height = 0;
  if (BackgroundPlacement* background = draggedBackground(in, width, height)) {
    dragBackgroundZoom(*background, in.dy(), width, height);
    composeShownBackgrounds(in);
    return;
  }
  Scene& scene = in.scene;
  if (scene.mouseY > in.geometry.view.bottom || scene.mouseY < 0) {
    warpCursor(in, scene.mouseX, viewCentreY(in.geometry));
    scene.prevMouseY = scene.mouseY;
  }
  scene.camera.cameraDistance -= kZoomPerPixel * static_cast<float>(in.dy());
}

void dragPanIcon(Input& in) {
  int width = 0;
  int height = 0;
  if (BackgroundPlacement* background = draggedBackground(in, width, height)) {
    dragBackgroundPan(*background, in.dx(), in.dy());
    composeShownBackgrounds(in);
    return;
  }
  Scene& scene = in.scene;
  const port::Rect& view = in.geometry.view;
  // The pointer stays inside the view so the drag can go on as far as the user likes.
  const bool outsideY = scene.mouseY <= view.top || scene.mouseY >= view.bottom;
  const bool outsideX = scene.mouseX <= view.left || scene.mouseX >= view.right;
  if (outsideX || outsideY) {
    warpCursor(in, outsideX ? viewCentreX(in.geometry) : scene.mouseX,
               outsideY ? viewCentreY(in.geometry) : scene.mouseY);
    scene.prevMouseX = scene.mouseX;
    scene.prevMouseY = scene.mouseY;
  }
  pan(in);
}

void dragCapturedWidget(Input& in) {
  if (in.scene.capturedWidget == CapturedWidget::ZoomIcon) {
    dragZoomIcon(in);
  } else if (in.scene.capturedWidget == CapturedWidget::PanIcon) {
    dragPanIcon(in);
  }
}

void dragSelectionBox(Input& in) {
  Scene& scene = in.scene;
  const ViewGeometry& g = in.geometry;
  const int left = backBufferX(g, std::min(scene.boxStartX, scene.mouseX));
  const int right = backBufferX(g, std::max(scene.boxStartX, scene.mouseX));
  const int top = backBufferY(g, std::min(scene.boxStartY, scene.mouseY));
  const int bottom = backBufferY(g, std::max(scene.boxStartY, scene.mouseY));
  DisplayDevice& device = in.systems.device;
  const port::Colour colour = selectionBoxColour();
  fillRect(device, {left, top, right, top + 1}, colour);
  fillRect(device, {left, bottom, right, bottom + 1}, colour);
  fillRect(device, {left, top, left + 1, bottom}, colour);
  fillRect(device, {right, top, right + 1, bottom}, colour);
  if (Model* model = currentModel(scene)) {
    selectBonesInBox(*model, {left, top, right, bottom}, in.shift);
  }
}

// The half angle between two pointer directions seen from the ring's centre, the short way round.
float ringHalfAngle(const Scene& scene) {
  const float now = std::atan2(static_cast<float>(scene.mouseX - scene.ringAnchorX),
                               static_cast<float>(scene.mouseY - scene.ringAnchorY));
  const float before = std::atan2(static_cast<float>(scene.prevMouseX - scene.ringAnchorX),
                                  static_cast<float>(scene.prevMouseY - scene.ringAnchorY));
  float turn = now - before;
  if (turn > std::numbers::pi_v<float>) {
    turn -= 2 * std::numbers::pi_v<float>;
  } else if (turn < -std::numbers::pi_v<float>) {
    turn += 2 * std::numbers::pi_v<float>;
  }
  return turn / 2;
}

Vec3 screenUp(Vec3 angles) {
  return {std::sin(-angles.y) * std::sin(-angles.x), std::cos(-angles.x),
          std::cos(-angles.y) * std::sin(-angles.x)};
}

void turnBones(Input& in, Model& model) {
  Scene& scene = in.scene;
  const Bone& bone = model.bones[static_cast<std::size_t>(model.selectedBone)];
  const Vec3 angles = scene.camera.cameraAngles;
  const float alongX = kGizmoTurnPerPixel * static_cast<float>(-in.dx());
  const float alongY = kGizmoTurnPerPixel * static_cast<float>(-in.dy());
  Vec3 axis;
  float halfAngle = alongY;
  switch (scene.dragMode) {
    case DragMode::TurnAboutScreenVertical:
      axis = intoBoneFrame(bone, screenUp(angles));
      halfAngle = alongX;
      break;
    case DragMode::TurnAboutScreenHorizontal:
      axis = intoBoneFrame(bone, {std::cos(angles.y), 0, std::sin(angles.y)});
      break;
    case DragMode::TurnAboutViewAxis:
      axis = intoBoneFrame(bone, {std::sin(-angles.y) * std::cos(-angles.x), std::sin(angles.x),
                                  std::cos(-angles.y) * std::cos(-angles.x)});
      halfAngle = ringHalfAngle(scene);
      break;
    case DragMode::TurnAboutBoneX:
      axis = {1, 0, 0};
      break;
    case DragMode::TurnAboutBoneY:
      axis = {0, 1, 0};
      break;
    default:
      axis = {0, 0, 1};
      break;
  }
  turnSelectedBones(model, turnAbout(axis, halfAngle));
}

// How far a pointer motion of one window pixel moves a bone across the screen at the gizmo's depth.
float screenMoveFactor(const Input& in, float pixels, float ratio, int backBufferSize, float aspect) {
  const Scene& scene = in.scene;
  const float product = pixels / ratio * in.geometry.overlayScale * scene.gizmoScreenScale /
                        static_cast<float>(backBufferSize) * aspect;
  if (scene.camera.orthographic) {
    return -(product * kOrthographicMoveFactor) * scene.camera.cameraDistance;
  }
  return product * kPerspectiveMoveFactor;
}

Vec3 screenMove(const Input& in) {
  const Scene& scene = in.scene;
  const Vec3 angles = scene.camera.cameraAngles;
  Vec3 offset;
  if (scene.dragMode != DragMode::MoveAlongScreenVertical) {
    const float aspect = scene.outputHeight > 0
                             ? static_cast<float>(scene.outputWidth) / static_cast<float>(scene.outputHeight)
                             : 1.0f;
    const float k = screenMoveFactor(in, static_cast<float>(in.dx()), in.geometry.xRatio,
                                     in.geometry.backBufferWidth, aspect);
    offset = offset + Vec3{k * std::cos(angles.y), 0, k * std::sin(angles.y)};
  }
  if (scene.dragMode != DragMode::MoveAlongScreenHorizontal) {
    const float k = screenMoveFactor(in, static_cast<float>(-in.dy()), in.geometry.yRatio,
                                     in.geometry.backBufferHeight, 1.0f);
    offset = offset + screenUp(angles) * k;
  }
  return offset;
}

void dragBones(Input& in, Model& model) {
  const DragMode drag = in.scene.dragMode;
  if (drag <= DragMode::TurnAboutBoneZ) {
    turnBones(in, model);
  } else if (drag <= DragMode::MoveInScreenPlane) {
    moveSelectedBones(model, screenMove(in));
  } else {
    const float step = kStripMovePerPixel * static_cast<float>(-in.dy());
    const int axis = static_cast<int>(drag) - static_cast<int>(DragMode::MoveAlongWorldX);
    moveSelectedBones(model, {axis == 0 ? step : 0, axis == 1 ? step : 0, axis == 2 ? step : 0});
  }
}

float& vectorPart(Vec3& v, int axis) {
  return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

void dragCamera(Input& in) {
  LiveCamera& camera = in.scene.camera;
  const auto drag = static_cast<int>(in.scene.dragMode);
  const float dy = static_cast<float>(in.dy());
  if (in.scene.dragMode <= DragMode::CameraCentreZ) {
    vectorPart(camera.cameraCentre, drag - static_cast<int>(DragMode::CameraCentreX)) +=
        kCameraCentrePerPixel * dy;
  } else {
    vectorPart(camera.cameraAngles, drag - static_cast<int>(DragMode::CameraAngleX)) +=
        kCameraAnglePerPixel * dy;
  }
}

void holdLeftButton(Input& in) {
  Scene& scene = in.scene;
  if (scene.boxActive) {
    dragSelectionBox(in);
  }
  if (scene.dragMode >= DragMode::CameraCentreX) {
    dragCamera(in);
    return;
  }
  Model* model = currentModel(scene);
  if (scene.dragMode == DragMode::None || !model || model->selectedBone < 0 ||
      static_cast<std::size_t>(model->selectedBone) >= model->bones.size()) {
    return;
  }
  dragBones(in, *model);
}

void applyLeftButton(Input& in) {
  switch (keyState(in.scene, port::kMouseLeft)) {
    case KeyState::Pressed:
      pressLeftButton(in);
      break;
    case KeyState::Released:
      releaseLeftButton(in);
      break;
    default:
      break;
  }
  if (in.scene.capturedWidget != CapturedWidget::None) {
    dragCapturedWidget(in);
  }
  if (keyState(in.scene, port::kMouseLeft) == KeyState::Held) {
    holdLeftButton(in);
  }
}

}  // namespace

port::Colour selectionBoxColour() {
  const int red = kSelectionBoxRgb565 >> 11;
  const int green = (kSelectionBoxRgb565 >> 5) & 0x3F;
  const int blue = kSelectionBoxRgb565 & 0x1F;
  // Widening repeats the top bits into the new low ones, so full intensity stays full.
  return {static_cast<std::uint8_t>(red << 3 | red >> 2), static_cast<std::uint8_t>(green << 2 | green >> 4),
          static_cast<std::uint8_t>(blue << 3 | blue >> 2), 255};
}

std::int32_t foldedCoordinate(std::int32_t coordinate) {
  return coordinate > kUnsignedWrapLimit ? coordinate - 65536 : coordinate;
}

void applyViewportInput(Scene& scene, FrameSystems& systems) {
  scene.mouseX = foldedCoordinate(scene.mouseX);
  scene.mouseY = foldedCoordinate(scene.mouseY);
  Input in{scene, systems, viewGeometry(systems)};
  in.shift = keyDown(scene, port::kKeyShift);
  in.control = keyDown(scene, port::kKeyControl);
  scene.hoverZone = hoverZoneAt(scene, in.geometry);
  scene.hovering = scene.hoverZone != HoverZone::Nothing;
  dragWithRightButton(in);
  dragWithMiddleButton(in);
  applyViewportKeys(scene, systems);
  applyLeftButton(in);
}

void keepMousePosition(Scene& scene) {
  scene.prevMouseX = scene.mouseX;
  scene.prevMouseY = scene.mouseY;
}

}  // namespace zv
