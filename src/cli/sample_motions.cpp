#include "cli/sample_motions.h"

#include <cstdio>

#include "files/motion_file.h"
#include "port/headless_ui.h"
#include "ui/create_controls.h"

namespace zv::cli {

bool loadSampleMotions(Scene& scene, const std::vector<std::string>& paths) {
  port::HeadlessUi ui;
  createControls(ui);
  port::Ui* previous = scene.ui;
  scene.ui = &ui;
  scene.currentFrame = 0;
  bool loaded = true;
  for (const std::string& path : paths) {
    ui.messages.clear();
    loaded = loadMotion(scene, path);
    for (const port::ShownMessage& message : ui.messages) {
      if (message.buttons == port::MessageButtons::Ok) {
        std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
      }
    }
    if (!loaded) {
      break;
    }
  }
  scene.ui = previous;
  return loaded;
}

}  // namespace zv::cli
