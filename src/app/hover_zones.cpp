#include "app/hover_zones.h"

#include <array>

namespace zv {
namespace {

// Open intervals: a pointer on an edge is outside.
bool inside(int value, int low, int high) {
  return value > low && value < high;
}

int scaled(float ratio, float pixels) {
  return static_cast<int>(ratio * pixels);
}

// The three buttons of a strip, left edges from the view's right.
constexpr std::array<float, 3> kStripButtonLefts = {127, 86, 48};
constexpr float kStripButtonWidth = 35;
constexpr float kStripButtonHeight = 30;
constexpr float kRotateStripTop = 80;  // from the view's bottom
constexpr float kMoveStripTop = 40;

bool overStripButton(const Scene& scene, const ViewGeometry& g, int button, float stripTop) {
  const int left = g.view.right - scaled(g.xRatio, kStripButtonLefts[static_cast<std::size_t>(button)]);
  const int top = g.view.bottom - scaled(g.yRatio, stripTop);
  return inside(scene.mouseX, left, left + scaled(g.xRatio, kStripButtonWidth)) &&
         inside(scene.mouseY, top, top + scaled(g.yRatio, kStripButtonHeight));
}

HoverZone iconZone(const Scene& scene, const ViewGeometry& g) {
  const int top = g.view.top + scaled(g.yRatio, 10);
  if (!inside(scene.mouseY, top, top + scaled(g.yRatio, 25))) {
    return HoverZone::Nothing;
  }
  const int zoomLeft = g.view.right - scaled(g.xRatio, 60);
  const int zoomRight = zoomLeft + scaled(g.xRatio, 24);
  const int panLeft = zoomRight + scaled(g.xRatio, 6);
  const int panRight = panLeft + scaled(g.xRatio, 30);
  if (inside(scene.mouseX, zoomLeft, zoomRight)) {
    return HoverZone::ZoomIcon;
  }
  return inside(scene.mouseX, panLeft, panRight) ? HoverZone::PanIcon : HoverZone::Nothing;
}

HoverZone stripZone(const Scene& scene, const ViewGeometry& g) {
  const bool rotateStrip = scene.cameraMode || scene.widgetRestriction == 0 || scene.widgetRestriction == 1;
  const bool moveStrip = scene.cameraMode || scene.widgetRestriction == 0 || scene.widgetRestriction == 2;
  const int rotateFirst = scene.cameraMode ? 18 : 9;
  const int moveFirst = scene.cameraMode ? 15 : 12;
  HoverZone zone = HoverZone::Nothing;
  for (int button = 0; button < 3; ++button) {
    if (rotateStrip && overStripButton(scene, g, button, kRotateStripTop)) {
      zone = static_cast<HoverZone>(rotateFirst + button);
    }
  }
  for (int button = 0; button < 3; ++button) {
    if (moveStrip && overStripButton(scene, g, button, kMoveStripTop)) {
      zone = static_cast<HoverZone>(moveFirst + button);
    }
  }
  return zone;
}

// The pointer against an edge placed `offset` window pixels from the gizmo's centre.
struct GizmoEdges {
  const Scene& scene;
  const ViewGeometry& g;
  bool xIn(float low, float high) const {
    return inside(scene.mouseX, clientX(g, scene.gizmoScreenX, low), clientX(g, scene.gizmoScreenX, high));
  }
  bool yIn(float low, float high) const {
    return inside(scene.mouseY, clientY(g, scene.gizmoScreenY, low), clientY(g, scene.gizmoScreenY, high));
  }
};

HoverZone rotateGizmoZone(const Scene& scene, const ViewGeometry& g) {
  const GizmoEdges edges{scene, g};
  HoverZone zone = HoverZone::Nothing;
  if ((edges.xIn(7, 35) || edges.xIn(-35, -7)) && edges.yIn(-7, 7)) {
    zone = HoverZone::RotateGizmoHorizontalArms;
  }
  if ((edges.yIn(7, 35) || edges.yIn(-35, -7)) && edges.xIn(-7, 7)) {
    zone = HoverZone::RotateGizmoVerticalArms;
  }
  const int dx = scene.mouseX - clientX(g, scene.gizmoScreenX);
  const int dy = scene.mouseY - clientY(g, scene.gizmoScreenY);
  if (inside(dx * dx + dy * dy, 35 * 35, 45 * 45)) {
    zone = HoverZone::RotateGizmoRing;
  }
  return zone;
}

HoverZone moveGizmoZone(const Scene& scene, const ViewGeometry& g) {
  const GizmoEdges edges{scene, g};
  HoverZone zone = HoverZone::Nothing;
  if (edges.xIn(41, 61) && edges.yIn(-8, 8)) {
    zone = HoverZone::MoveGizmoRightArm;
  }
  if (edges.yIn(-61, -42) && edges.xIn(-8, 8)) {
    zone = HoverZone::MoveGizmoUpperArm;
  }
  if (edges.xIn(-13, 11) && edges.yIn(-16, 8)) {
    zone = HoverZone::MoveGizmoCentre;
  }
  return zone;
}

}  // namespace

HoverZone hoverZoneAt(const Scene& scene, const ViewGeometry& geometry) {
  HoverZone zone = iconZone(scene, geometry);
  if (scene.playing) {
    return zone;
  }
  const HoverZone candidates[] = {
      stripZone(scene, geometry),
      scene.editMode == EditMode::Rotate ? rotateGizmoZone(scene, geometry) : HoverZone::Nothing,
      scene.editMode == EditMode::Move ? moveGizmoZone(scene, geometry) : HoverZone::Nothing,
  };
  for (const HoverZone candidate : candidates) {
    if (candidate != HoverZone::Nothing) {
      zone = candidate;
    }
  }
  return zone;
}

}  // namespace zv
