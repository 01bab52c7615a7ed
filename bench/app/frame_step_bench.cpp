// One frame step of the demo character on a screen-sized back buffer (headless EGL): playing,
// where the whole scene is sampled and posed every step, and editing in model mode with the bone
// markers. The frame-rate limit is 60 per second: a step should take well under 16.7 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/frame_step.h"
#include "app/frame_systems.h"
#include "port/gl/headless_gl_context.h"
#include "port/headless_ui.h"
#include "port/paths.h"
#include "render/model_resources.h"
#include "scene/model_reader.h"

namespace zv {
namespace {

struct DemoFrame {
  std::unique_ptr<port::HeadlessGlContext> context;
  port::HeadlessUi ui;
  Scene scene;
  std::unique_ptr<FrameSystems> systems = std::make_unique<FrameSystems>();

  bool set(port::Size screen) {
    std::string error;
    context = port::HeadlessGlContext::create(error);
    scene.ui = &ui;
    scene.exeDirectory = port::executableDirectory();
    ui.client = {0, 0, screen.width, screen.height};
    if (!context || !createFrameSystems(*systems, scene, screen, nullptr, scene.exeDirectory)) {
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
    scene.cameraMode = false;
    scene.viewOffsetY = 10.0f;
    return true;
  }

  ~DemoFrame() {
    if (context) {
      releaseFrameSystems(*systems, scene);
    }
  }
};

void runSteps(benchmark::State& state, bool playing) {
  DemoFrame frame;
  if (!frame.set({1920, 1080})) {
    state.SkipWithError("no headless GL context or demo character");
    return;
  }
  frame.scene.playing = playing;
  frame.scene.repeatPlayback = true;
  frame.scene.playRangeEndTime = 10.0f;
  frame.scene.frameElapsedSeconds = 1.0f / 60.0f;
  for (auto _ : state) {
    frameStep(frame.scene, *frame.systems);
    // Waits for the GPU so that the time includes the drawing, as presenting would.
    readBackBuffer(frame.systems->device, {0, 0, 1, 1});
  }
}

void BM_FramePlaying1080(benchmark::State& state) {
  runSteps(state, true);
}
BENCHMARK(BM_FramePlaying1080)->Unit(benchmark::kMillisecond);

void BM_FrameEditing1080(benchmark::State& state) {
  runSteps(state, false);
}
BENCHMARK(BM_FrameEditing1080)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zv
