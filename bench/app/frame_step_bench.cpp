// One frame step of the demo character on a screen-sized back buffer (headless EGL): playing,
// where the whole scene is sampled and posed every step, and editing in model mode with the bone
// markers. The frame-rate limit is 60 per second: a step should take well under 16.7 ms.
#include <benchmark/benchmark.h>

#include "app/frame_step.h"
#include "demo_frame.h"

namespace zv {
namespace {

void runSteps(benchmark::State& state, bool playing) {
  bench::DemoFrame frame;
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
