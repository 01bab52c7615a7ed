#include "render/gizmo_drawing.h"

#include <numeric>

namespace zv {
namespace {

constexpr float kRotateHalfSpan = 45.0f;
// The move gizmo's arms point right and up, so the bone sits near its lower left corner.
constexpr float kMoveLeft = 13.0f;
constexpr float kMoveRight = 62.0f;
constexpr float kMoveUp = 67.0f;
constexpr float kMoveDown = 8.0f;
constexpr float kGizmoReciprocalW = 0.5f;

// Atlas quarters: top-left idle, bottom-left, top-right and bottom-right for the three arms.
void chooseQuarter(GizmoQuad& quad, HoverZone hoverZone) {
  using enum HoverZone;
  const bool right = hoverZone == RotateGizmoVerticalArms || hoverZone == MoveGizmoUpperArm ||
                     hoverZone == RotateGizmoRing || hoverZone == MoveGizmoCentre;
  const bool bottom = hoverZone == RotateGizmoHorizontalArms || hoverZone == MoveGizmoRightArm ||
                      hoverZone == RotateGizmoRing || hoverZone == MoveGizmoCentre;
  quad.u0 = right ? 0.5f : 0.0f;
  quad.u1 = quad.u0 + 0.5f;
  quad.v0 = bottom ? 0.5f : 0.0f;
  quad.v1 = quad.v0 + 0.5f;
}

ScreenVertex corner(float x, float y, float u, float v) {
  ScreenVertex vertex;
  vertex.x = x;
  vertex.y = y;
  vertex.z = 0;
  vertex.rhw = kGizmoReciprocalW;
  vertex.diffuse = 0xFFFFFFFF;
  vertex.specular = 0;
  vertex.u = u;
  vertex.v = v;
  return vertex;
}

bool showsTripod(HoverZone hoverZone) {
  return hoverZone >= HoverZone::BoneRotateX && hoverZone <= HoverZone::BoneRotateZ;
}

}  // namespace

std::optional<GizmoQuad> gizmoQuad(const GizmoView& view, float overlayScale) {
  if (view.editMode != EditMode::Rotate && view.editMode != EditMode::Move) {
    return std::nullopt;
  }
  const float across = overlayScale / view.xRatio;
  const float down = overlayScale / view.yRatio;
  GizmoQuad quad;
  if (view.editMode == EditMode::Rotate) {
    quad.left = view.screenX - kRotateHalfSpan * across;
    quad.right = view.screenX + kRotateHalfSpan * across;
    quad.top = view.screenY - kRotateHalfSpan * down;
    quad.bottom = view.screenY + kRotateHalfSpan * down;
  } else {
    quad.left = view.screenX - kMoveLeft * across;
    quad.right = view.screenX + kMoveRight * across;
    quad.top = view.screenY - kMoveUp * down;
    quad.bottom = view.screenY + kMoveDown * down;
  }
  chooseQuarter(quad, view.hoverZone);
  return quad;
}

void drawGizmo(DisplayDevice& device, const TextureStore& textures, const DrawingResources& resources,
               const GizmoView& view) {
  const std::optional<GizmoQuad> quad = gizmoQuad(view, device.overlayScale);
  if (!quad) {
    return;
  }
  DeviceState& state = device.state;
  state.alphaBlend = true;
  state.sourceBlend = BlendFactor::SourceAlpha;
  state.destinationBlend = BlendFactor::InverseSourceAlpha;
  state.depthTest = false;
  state.stages[0].texture = programTexture(
      textures, resources, view.editMode == EditMode::Rotate ? kRotateGizmoTexture : kMoveGizmoTexture);
  const std::array<ScreenVertex, 4> strip{corner(quad->left, quad->top, quad->u0, quad->v0),
                                          corner(quad->right, quad->top, quad->u1, quad->v0),
                                          corner(quad->left, quad->bottom, quad->u0, quad->v1),
                                          corner(quad->right, quad->bottom, quad->u1, quad->v1)};
  drawVertices<ScreenVertex>(device, strip, Primitive::TriangleStrip);
  state.alphaBlend = false;
  state.depthTest = true;
}

void drawTripod(DisplayDevice& device, const DrawingResources& resources, const Model& model,
                const Mat4& world, bool leftButtonUp, HoverZone hoverZone) {
  if (!leftButtonUp || !showsTripod(hoverZone) || model.selectedBone < 0 ||
      static_cast<std::size_t>(model.selectedBone) >= model.bones.size()) {
    return;
  }
  const Bone& bone = model.bones[static_cast<std::size_t>(model.selectedBone)];
  Mat4 placed = translation(bone.head) * bone.globalTransform;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      placed.m[row][column] = bone.globalRotation.m[row][column];
    }
  }
  DeviceState& state = device.state;
  state.world = placed * world;
  state.lighting = false;
  state.stages[0].texture = 0;
  state.depthTest = false;
  static const std::array<std::uint16_t, kTripodVertexCount> indices = [] {
    std::array<std::uint16_t, kTripodVertexCount> sequence;
    std::iota(sequence.begin(), sequence.end(), std::uint16_t{0});
    return sequence;
  }();
  drawIndexed(device, resources.tripodBuffer, Primitive::LineList, indices);
  state.depthTest = true;
}

}  // namespace zv
