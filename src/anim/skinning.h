// Morph blending and two-bone skinning of a posed model into its vertex and outline arrays.
#pragma once

#include "scene/document/model.h"

namespace zv {

// Resets the base morph to its rest positions, adds every morph above the base with a positive
// weight, and writes the base entries into the source vertices they name.
void applyMorphs(Model& model);

// How far outlines stand off the surface: grows with the distance from the eye to the model's
// second bone (its first when it has only one) seen through the world transform.
float outlineOffset(const Model& model, const Mat4& world, Vec3 eye);

// Skins every source vertex by its two bones into the model vertices (position, normal) and the
// outline vertices (pushed out along the normal by `offset`, or tucked 0.005 inside for vertices
// without an outline).
void skinVertices(Model& model, float offset);

}  // namespace zv
