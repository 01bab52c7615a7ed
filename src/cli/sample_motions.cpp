#include "cli/sample_motions.h"

#include <cstdio>

#include "files/motion/motion_file.h"

namespace zv::cli {

Outcome loadSampleMotions(Scene& scene, const std::vector<std::string>& paths) {
  scene.currentFrame = 0;
  Outcome all{true, {}};
  for (const std::string& path : paths) {
    const Outcome loaded = loadMotion(scene, path);
    for (const Message& message : loaded.messages) {
      std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
      all.messages.push_back(message);
    }
    if (!loaded) {
      all.done = false;
      break;
    }
  }
  return all;
}

}  // namespace zv::cli
