// Selecting every key of one family of tracks: the keys in use and the tracks' head keys. The
// previous selection of the pools named is replaced.
#pragma once

#include "scene/document/scene.h"

namespace zv {

// The model's bone, morph or display/IK keys.
void selectAllBoneKeys(Model& model);
void selectAllMorphKeys(Model& model);
void selectAllDisplayIkKeys(Model& model);

// The scene's camera keys, light keys, or the keys of all 255 accessory tracks.
void selectAllCameraKeys(Scene& scene);
void selectAllLightKeys(Scene& scene);
void selectAllAccessoryKeys(Scene& scene);

}  // namespace zv
