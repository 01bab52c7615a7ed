#include "cli/sample_motions.h"

#include <cstdio>

#include "files/motion_file.h"

namespace zv::cli {

bool loadSampleMotions(Scene& scene, const std::vector<std::string>& paths) {
  scene.currentFrame = 0;
  for (const std::string& path : paths) {
    const Outcome loaded = loadMotion(scene, path);
    for (const Message& message : loaded.messages) {
      std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
    }
    if (!loaded) {
      return false;
    }
  }
  return true;
}

}  // namespace zv::cli
