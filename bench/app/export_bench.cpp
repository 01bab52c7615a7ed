// Export throughput: the demo character playing its motion at the default output size of
// 512 x 384, recorded into an AVI file uncompressed and as MJPEG, against the same frame steps
// playing without a recording. Recording should keep at least 0.8 of the playing rate.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "anim/sampling.h"
#include "app/frame_step.h"
#include "demo_frame.h"
#include "media/avi_export.h"

namespace zv {
namespace {

constexpr port::Size kOutput{512, 384};
// Far beyond what a run records, so that the recording never reaches its end.
constexpr std::uint32_t kRecordEndFrame = 1000000;

bool setDemoScene(bench::DemoFrame& frame, benchmark::State& state) {
  if (!frame.set(kOutput) || !frame.loadDemoMotion()) {
    state.SkipWithError("no headless GL context, demo character or demo motion");
    return false;
  }
  frame.scene.outputWidth = kOutput.width;
  frame.scene.outputHeight = kOutput.height;
  layoutView(frame.scene, *frame.systems);
  return true;
}

void BM_PlayOnly(benchmark::State& state) {
  bench::DemoFrame frame;
  if (!setDemoScene(frame, state)) {
    return;
  }
  Scene& scene = frame.scene;
  scene.playing = true;
  scene.repeatPlayback = true;
  scene.playRangeEndTime = static_cast<float>(kRecordEndFrame) / 30.0f;
  scene.frameElapsedSeconds = 1.0f / 30.0f;
  seekScene(scene);
  for (auto _ : state) {
    frameStep(scene, *frame.systems);
    // Waits for the GPU, as the recording's read-back of the picture does.
    readBackBuffer(frame.systems->device, {0, 0, 1, 1});
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Record(benchmark::State& state, port::VideoCodec codec) {
  bench::DemoFrame frame;
  if (!setDemoScene(frame, state)) {
    return;
  }
  std::string folder = (std::filesystem::temp_directory_path() / "zolvanta-export-bench-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  Scene& scene = frame.scene;
  FrameSystems& systems = *frame.systems;
  RecordingSettings settings;
  settings.recordPath = std::filesystem::path(folder) / "bench.avi";
  settings.recordEndFrame = kRecordEndFrame;
  settings.codec.codec = codec;
  if (startRecording(scene, systems.aviExport, settings, std::nullopt).error != port::AviWriteError::None) {
    std::filesystem::remove_all(folder);
    state.SkipWithError("the recording could not start");
    return;
  }
  scene.playRangeStartTime = 0.0f;
  scene.playRangeEndTime = static_cast<float>(kRecordEndFrame) / 30.0f;
  seekScene(scene);
  for (auto _ : state) {
    frameStep(scene, systems);
  }
  const bool recorded = scene.recording && systems.aviExport.framesWritten == state.iterations();
  scene.playing = false;
  finishRecording(scene, systems.aviExport, {});
  std::filesystem::remove_all(folder);
  if (!recorded) {
    state.SkipWithError("a frame was not written");
    return;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_Record, Uncompressed, port::VideoCodec::Uncompressed)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Record, Mjpeg, port::VideoCodec::Mjpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zv
