// Putting the selected bones of a model back toward their rest pose, one component at a time or
// whole. These change the live pose, not keys: each records a pose step first (when any bone is
// selected) and marks the bones it sets as moved, so they show as unregistered.
#pragma once

#include "scene/document/scene.h"

namespace zv {

enum class PoseComponent { TranslationX, TranslationY, TranslationZ, Rotation };

// Sets that component of every selected bone to zero (the rotation to the identity).
void zeroSelectedBones(Scene& scene, Model& model, PoseComponent component);

// The first bone, when selected, keeps its x and z but stands on y = 0 unturned. Every other
// selected root bone is placed where it would be if it followed the first bone; a selected bone
// with a parent goes back to its rest pose. Bones already there are neither set nor marked.
void resetSelectedBones(Scene& scene, Model& model);

}  // namespace zv
