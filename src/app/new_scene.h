// Back to an empty scene with every control as a new scene shows it: the "新規(&N)" command, the
// end of start-up, and an abandoned project load.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

void newScene(Scene& scene, FrameSystems& systems);

}  // namespace zv
