#include "demo_frame.h"

#include <cstdlib>

#include "files/motion/motion_file.h"
#include "port/paths.h"
#include "render/model_resources.h"
#include "scene/document/model_reader.h"
#include "ui/create_controls.h"

namespace zv::bench {

DemoFrame::~DemoFrame() {
  if (context) {
    releaseFrameSystems(*systems, scene);
  }
}

namespace {

std::unique_ptr<Model> demoCharacter(const Scene& scene, FrameSystems& systems) {
  auto model = std::make_unique<Model>();
  std::filesystem::path file = scene.exeDirectory / "UserFile/Model/tessera.tsm";
  if (readModelFile(file, scene.exeDirectory, *model) ||
      createModelResources(*model, systems.device, systems.textures)) {
    return nullptr;
  }
  model->visible = true;
  return model;
}

// Moves every key of the root bones (the centre and the IK targets), so the character plays its
// motion `x` units to the side.
void standAside(Model& model, float x) {
  for (std::size_t bone = 0; bone < model.bones.size(); ++bone) {
    if (model.bones[bone].parent >= 0) {
      continue;
    }
    auto key = static_cast<std::uint32_t>(bone);
    do {
      model.boneKeyPool.at(key).translation.x += x;
      key = model.boneKeyPool[key].next;
    } while (key != 0);
  }
}

}  // namespace

bool DemoFrame::set(port::Size screen) {
  // Benchmarks never play sound; a machine without a sound card must not fail them.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::string error;
  context = port::HeadlessGlContext::create(error);
  scene.exeDirectory = port::executableDirectory();
  // The frame step reads the panels' boxes (the key polling), as in the window and the CLI.
  createControls(ui);
  ui.client = {0, 0, screen.width, screen.height};
  if (!context || !createFrameSystems(*systems, scene, ui, screen, nullptr, scene.exeDirectory)) {
    return false;
  }
  layoutView(scene, *systems);
  scene.modelSlots[0] = demoCharacter(scene, *systems);
  if (!scene.modelSlots[0]) {
    return false;
  }
  scene.currentModel = 0;
  scene.cameraMode = false;
  scene.viewOffsetY = 10.0f;
  return true;
}

bool DemoFrame::loadDemoMotion() {
  return loadMotion(scene, scene.exeDirectory / "UserFile/Motion/tessera_wave.vmd").done;
}

bool DemoFrame::addDemoCharacters(int count, float spacing) {
  const float left = -spacing * static_cast<float>(count - 1) / 2.0f;
  for (int slot = 0; slot < count; ++slot) {
    if (slot > 0 && !(scene.modelSlots[slot] = demoCharacter(scene, *systems))) {
      return false;
    }
    scene.currentModel = slot;
    if (!loadDemoMotion()) {
      return false;
    }
    standAside(*scene.modelSlots[slot], left + spacing * static_cast<float>(slot));
  }
  scene.currentModel = 0;
  return true;
}

}  // namespace zv::bench
