// Drawing one character model: the toon-shaded model pass, and the edge mesh that serves as both
// the ground shadow and the outline depending on the state the frame step sets around it.
#pragma once

#include "render/display_device.h"
#include "render/drawing_resources.h"
#include "render/texture_store.h"
#include "scene/document/model.h"

namespace zv {

// Stage-0 texture matrix mapping a camera-space unit normal m to u = 0.5 + 0.5 (m . r),
// v = 0.5 - 0.5 (m . n), with n toward the light and r across it: normals facing the light sample
// the ramp's top row, normals facing away its bottom row.
Mat4 toonTextureMatrix(Vec3 lightDirection);

// Whether a material texture is blended by its alpha: the extension after the first '.' holds a
// 't' ("x.tga"). Names without a '.' carry no texture at all.
bool blendsTextureAlpha(std::string_view textureName);

// The model pass: lighting on, per material its colour block (diffuse alpha 0.5 when the model is
// semi-transparent), its texture on stage 1 and its toon ramp on stage 0. `lightDirection` is the
// light already turned with the view.
void drawModel(DisplayDevice& device, const TextureStore& textures, const DrawingResources& resources,
               const Model& model, Vec3 lightDirection);

// The edge-flagged materials drawn from the edge vertex buffer with whatever state the caller set:
// flattened by the shadow matrix it is the ground shadow, culled clockwise it is the outline.
// Semi-transparent models have neither.
void drawEdgeMesh(DisplayDevice& device, const Model& model);

}  // namespace zv
