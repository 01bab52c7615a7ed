// The link repair after a project load: every track is walked from its head, and the first link
// that leaves the pool, points at a head, is not pointed back at, or does not move to a later
// frame ends the track there. A loop therefore ends too, and each record is visited once.
#pragma once

#include <vector>

#include "files/project/project_reader.h"
#include "scene/document/scene.h"

namespace zv {

// Repairs every track of the scene. Broken display/IK and bone tracks are reported, one message
// each, model by model (display/IK first, then bone 0 up); the scene tracks are cut silently.
std::vector<ProjectMessage> repairProjectLinks(Scene& scene);

}  // namespace zv
