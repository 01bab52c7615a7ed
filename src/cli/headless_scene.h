// A scene drawn without a window: a headless GL context, the program's display device and drawing
// resources at the picture size, and the models and motions of the command line loaded as the
// window loads them.
#pragma once

#include <memory>

#include "app/frame_systems.h"
#include "cli/cli_ui.h"
#include "cli/scene_options.h"
#include "port/gl/headless_gl_context.h"
#include "scene/document/scene.h"

namespace zv::cli {

struct HeadlessScene {
  CliUi ui;
  std::unique_ptr<port::HeadlessGlContext> context;
  std::unique_ptr<Scene> scene;
  std::unique_ptr<FrameSystems> systems;  // set once the device exists

  HeadlessScene() = default;
  HeadlessScene(const HeadlessScene&) = delete;
  HeadlessScene& operator=(const HeadlessScene&) = delete;
  // Releases the device resources with the context current, before the context goes.
  ~HeadlessScene();
};

// Builds everything for `options`. False after every failure has been printed on stderr.
bool openHeadlessScene(const SceneOptions& options, HeadlessScene& headless);

}  // namespace zv::cli
