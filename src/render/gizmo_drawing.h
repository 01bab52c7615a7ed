// The screen-space rotate and move gizmos at the selected bone, and its axis tripod.
#pragma once

#include <array>
#include <optional>

#include "render/display_device.h"
#include "render/drawing_resources.h"
#include "render/texture_store.h"
#include "scene/document/model.h"
#include "scene/document/view_modes.h"

namespace zv {

// Where and how the gizmo shows: the selected bone's back-buffer position, the view's stretch
// ratios (view rectangle width / W x s, height / H x s) and the hover zone under the mouse.
struct GizmoView {
  EditMode editMode = EditMode::Select;
  HoverZone hoverZone = HoverZone::Nothing;
  float screenX = 0;
  float screenY = 0;
  float xRatio = 1;
  float yRatio = 1;
};

// The quad in back-buffer pixels and the atlas quarter it shows.
struct GizmoQuad {
  float left = 0, top = 0, right = 0, bottom = 0;
  float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
};

// The quad the mode calls for, sized in window pixels: none outside the rotate and move modes.
std::optional<GizmoQuad> gizmoQuad(const GizmoView& view, float overlayScale);

// Draws the gizmo quad blended over everything (depth test off) with its atlas texture.
void drawGizmo(DisplayDevice& device, const TextureStore& textures, const DrawingResources& resources,
               const GizmoView& view);

// The selected bone's local X, Y and -Z axes at its posed head, shown while the mouse button is
// up over one of the bone rotate-strip buttons. Nothing without a selected bone.
void drawTripod(DisplayDevice& device, const DrawingResources& resources, const Model& model,
                const Mat4& world, bool leftButtonUp, HoverZone hoverZone);

}  // namespace zv
