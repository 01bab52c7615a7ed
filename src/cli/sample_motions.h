// Motions for `sample`: loaded into the current model as the program's motion loader does at
// frame 0, the other-model question answered OK.
#pragma once

#include <string>
#include <vector>

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv::cli {

// Loads every file in order; messages the loader shows go to stderr and are handed back. Not done
// when one was refused (the remaining files are not loaded).
Outcome loadSampleMotions(Scene& scene, const std::vector<std::string>& paths);

}  // namespace zv::cli
