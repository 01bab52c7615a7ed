#include "demo_frame.h"

#include <cstdlib>

#include "files/motion/motion_file.h"
#include "port/paths.h"
#include "render/model_resources.h"
#include "scene/document/model_reader.h"

namespace zv::bench {

DemoFrame::~DemoFrame() {
  if (context) {
    releaseFrameSystems(*systems, scene);
  }
}

bool DemoFrame::set(port::Size screen) {
  // Benchmarks never play sound; a machine without a sound card must not fail them.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::string error;
  context = port::HeadlessGlContext::create(error);
  scene.exeDirectory = port::executableDirectory();
  ui.client = {0, 0, screen.width, screen.height};
  if (!context || !createFrameSystems(*systems, scene, ui, screen, nullptr, scene.exeDirectory)) {
    return false;
  }
  layoutView(scene, *systems);
  auto model = std::make_unique<Model>();
  std::filesystem::path file = scene.exeDirectory / "UserFile/Model/tessera.tsm";
  if (readModelFile(file, scene.exeDirectory, *model) ||
      createModelResources(*model, systems->device, systems->textures)) {
    return false;
  }
  model->visible = true;
  scene.modelSlots[0] = std::move(model);
  scene.currentModel = 0;
  scene.cameraMode = false;
  scene.viewOffsetY = 10.0f;
  return true;
}

bool DemoFrame::loadDemoMotion() {
  return loadMotion(scene, scene.exeDirectory / "UserFile/Motion/tessera_wave.vmd").done;
}

}  // namespace zv::bench
