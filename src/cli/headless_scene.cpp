#include "cli/headless_scene.h"

#include <cstdio>
#include <cstdlib>

#include "app/command_files.h"
#include "app/file_commands.h"
#include "app/project_file.h"
#include "port/paths.h"
#include "ui/create_controls.h"
#include "ui/model_loading.h"
#include "ui/panel_bitmaps.h"

namespace zv::cli {
namespace {

bool loadModelWithMotions(HeadlessScene& headless, std::uint8_t slot, const ModelOption& option) {
  Scene& scene = *headless.scene;
  FrameSystems& systems = *headless.systems;
  auto model = std::make_unique<Model>();
  std::filesystem::path path(option.modelPath);
  if (!loadModel(*model, headless.ui, path, systems.device, systems.textures, scene.exeDirectory, false)) {
    return false;
  }
  model->semiTransparent = scene.translucent;
  scene.modelSlots[slot] = std::move(model);
  scene.currentModel = slot;
  scene.cameraMode = false;
  for (const std::string& motion : option.motionPaths) {
    if (!loadMotion(scene, motion, headless.ui)) {
      return false;
    }
  }
  return true;
}

bool loadCameraMotions(Scene& scene, const std::vector<std::string>& paths, port::Ui& ui) {
  scene.cameraMode = true;
  for (const std::string& path : paths) {
    if (!loadMotion(scene, path, ui)) {
      return false;
    }
  }
  return true;
}

// Opens the project as the window's "開く" does; the picture keeps the size asked for unless the
// project's own output size is wanted.
bool openProject(HeadlessScene& headless, const SceneOptions& options) {
  Scene& scene = *headless.scene;
  FrameSystems& systems = *headless.systems;
  createPanelBitmaps(systems.panels.bitmaps);
  scene.projectPath = options.projectPath;
  if (!loadProject(scene, systems)) {
    return false;
  }
  if (!options.projectOutputSize) {
    scene.outputWidth = options.width;
    scene.outputHeight = options.height;
    layoutView(scene, systems);
  }
  return true;
}

bool buildScene(const SceneOptions& options, HeadlessScene& headless) {
  Scene& scene = *headless.scene;
  if (!options.projectPath.empty()) {
    return openProject(headless, options);
  }
  for (std::size_t slot = 0; slot < options.models.size(); ++slot) {
    if (!loadModelWithMotions(headless, static_cast<std::uint8_t>(slot), options.models[slot])) {
      return false;
    }
  }
  if (!loadCameraMotions(scene, options.cameraPaths, headless.ui)) {
    return false;
  }
  // Camera motions drive the view as the follow switch makes them do in the window.
  scene.followCameraLight = !options.cameraPaths.empty();
  scene.cameraMode = options.cameraMode;
  scene.currentModel = 0;
  return true;
}

// The image goes first so that the video, when there is one, is composed over it as the window
// shows the two together.
bool loadBackgrounds(const SceneOptions& options, HeadlessScene& headless) {
  Scene& scene = *headless.scene;
  FrameSystems& systems = *headless.systems;
  return (options.backgroundImagePath.empty() ||
          loadBackgroundImageFile(scene, systems, options.backgroundImagePath)) &&
         (options.backgroundVideoPath.empty() ||
          loadBackgroundVideoFile(scene, systems, options.backgroundVideoPath));
}

}  // namespace

HeadlessScene::~HeadlessScene() {
  if (systems && context && context->makeCurrent()) {
    releaseFrameSystems(*systems, *scene);
  }
}

bool openHeadlessScene(const SceneOptions& options, HeadlessScene& headless) {
  std::string error;
  headless.context = port::HeadlessGlContext::create(error);
  if (!headless.context) {
    std::fprintf(stderr, "zolvanta-cli: no OpenGL 3.3 context without a display: %s\n", error.c_str());
    return false;
  }
  // The tool never plays sound; a machine without a sound card must not make it complain.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  headless.scene = std::make_unique<Scene>();
  Scene& scene = *headless.scene;
  createControls(headless.ui);
  scene.exeDirectory = port::executableDirectory();
  scene.outputWidth = options.width;
  scene.outputHeight = options.height;
  auto systems = std::make_unique<FrameSystems>();
  if (!createFrameSystems(*systems, scene, headless.ui, {options.width, options.height}, nullptr,
                          scene.exeDirectory)) {
    if (!headless.ui.shownError()) {
      std::fprintf(stderr, "zolvanta-cli: the drawing resources could not be made at %d x %d\n",
                   options.width, options.height);
    }
    return false;
  }
  headless.systems = std::move(systems);
  layoutView(scene, *headless.systems);
  return buildScene(options, headless) && loadBackgrounds(options, headless);
}

}  // namespace zv::cli
