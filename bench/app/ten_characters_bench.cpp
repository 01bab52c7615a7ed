// A frame of ten demo characters playing the demo motion side by side at the default output size
// of 512 x 384: the window aims at 60 frames a second, so a step should take under 16.7 ms.
#include <benchmark/benchmark.h>

#include "anim/sampling.h"
#include "app/frame_step.h"
#include "demo_frame.h"

namespace zv {
namespace {

constexpr port::Size kOutput{512, 384};
constexpr int kCharacters = 10;
constexpr float kSpacing = 8.0f;

void BM_TenCharactersPlaying(benchmark::State& state) {
  bench::DemoFrame frame;
  if (!frame.set(kOutput) || !frame.addDemoCharacters(kCharacters, kSpacing)) {
    state.SkipWithError("no headless GL context, demo character or demo motion");
    return;
  }
  Scene& scene = frame.scene;
  scene.outputWidth = kOutput.width;
  scene.outputHeight = kOutput.height;
  scene.camera.cameraDistance = -90.0f;
  layoutView(scene, *frame.systems);
  scene.playing = true;
  scene.repeatPlayback = true;
  scene.playRangeEndTime = 1000.0f;
  scene.frameElapsedSeconds = 1.0f / 30.0f;
  seekScene(scene);
  for (auto _ : state) {
    frameStep(scene, *frame.systems);
    // Waits for the GPU, as presenting the picture would.
    readBackBuffer(frame.systems->device, {0, 0, 1, 1});
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TenCharactersPlaying)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zv
