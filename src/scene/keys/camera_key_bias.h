// Shifting the distance or the view angle of every selected camera key by a whole number, as the
// camera-mode bias commands do. No undo step: camera keys have no history.
#pragma once

#include <cstdint>

#include "scene/document/scene.h"

namespace zv {

// distance -= delta on every selected camera key.
void biasCameraDistance(Scene& scene, std::int32_t delta);

// viewAngle += delta on every selected camera key; a sum beyond the 32-bit range stops at its end.
void biasViewAngle(Scene& scene, std::int32_t delta);

}  // namespace zv
