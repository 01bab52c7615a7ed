// One frame of the 3D view, run once per idle turn of the main loop.
#pragma once

#include "scene/scene.h"

namespace zv {

void frameStep(Scene& scene);

}  // namespace zv
