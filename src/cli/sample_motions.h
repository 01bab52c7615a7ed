// Motions for `sample`: loaded into the current model as the program's motion loader does at
// frame 0, the other-model question answered OK.
#pragma once

#include <string>
#include <vector>

#include "scene/scene.h"

namespace zv::cli {

// Loads every file in order; messages the loader shows go to stderr. False when one was refused
// (the remaining files are not loaded).
bool loadSampleMotions(Scene& scene, const std::vector<std::string>& paths);

}  // namespace zv::cli
