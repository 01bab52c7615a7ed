// Export throughput: the demo character playing its motion at the default output size of
// 512 x 384, recorded into an AVI file uncompressed and as MJPEG, against the same frame steps
// playing without a recording and against the same pictures coded with nothing drawn. Recording
// should keep at least 0.8 of the slower of playing and coding alone; BM_ExportRatio measures
// that ratio with the three interleaved in one run, so that a busy machine slows all alike.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "anim/sampling.h"
#include "app/frame_step.h"
#include "app/recording_commands.h"
#include "demo_frame.h"
#include "media/avi_export.h"
#include "render/async_read_back.h"

namespace zv {
namespace {

constexpr port::Size kOutput{512, 384};
// Far beyond what a run records, so that the recording never reaches its end.
constexpr std::uint32_t kRecordEndFrame = 1000000;
// Demo pictures the coding-alone runs cycle through.
constexpr int kCodedPictures = 4;
// Frame steps of each kind in one round of the ratio benchmark.
constexpr int kRoundSteps = 15;

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

void startPlaying(Scene& scene) {
  scene.playing = true;
  scene.repeatPlayback = true;
  scene.playRangeStartTime = 0.0f;
  scene.playRangeEndTime = static_cast<float>(kRecordEndFrame) / 30.0f;
  scene.frameElapsedSeconds = 1.0f / 30.0f;
  seekScene(scene);
}

void playStep(bench::DemoFrame& frame) {
  frameStep(frame.scene, *frame.systems);
  // Waits for the GPU, as the recording's read-back of the picture does.
  readBackBuffer(frame.systems->device, {0, 0, 1, 1});
}

// A temporary folder for the recordings, removed with it.
struct BenchFolder {
  std::string path = (std::filesystem::temp_directory_path() / "zolvanta-export-bench-XXXXXX").string();
  bool made = ::mkdtemp(path.data()) != nullptr;
  ~BenchFolder() {
    if (made) {
      std::filesystem::remove_all(path);
    }
  }
};

bool startExport(Scene& scene, AviExport& aviExport, const std::filesystem::path& file,
                 port::VideoCodec codec) {
  RecordingSettings settings;
  settings.recordPath = file;
  settings.recordEndFrame = kRecordEndFrame;
  settings.codec.codec = codec;
  return startRecording(scene, aviExport, settings, std::nullopt).error == port::AviWriteError::None;
}

// Pictures of the demo character as a recording reads them back: opaque, bottom row first.
std::vector<port::Picture> demoPictures(bench::DemoFrame& frame) {
  DisplayDevice& device = frame.systems->device;
  std::vector<port::Picture> pictures;
  for (int picture = 0; picture < kCodedPictures; ++picture) {
    for (int step = 0; step < 5; ++step) {
      frameStep(frame.scene, *frame.systems);
    }
    port::Picture read{device.width, device.height, {}};
    read.pixels.resize(static_cast<std::size_t>(device.width) * device.height * 4);
    readBackBufferBottomUp(device, read.pixels);
    port::makeOpaque(read);
    pictures.push_back(std::move(read));
  }
  return pictures;
}

// A scene for recording pictures that are not drawn, at the output size.
Scene codingScene() {
  Scene coded;
  coded.outputWidth = kOutput.width;
  coded.outputHeight = kOutput.height;
  return coded;
}

// Codes the next demo picture into `aviExport`, as the recording writes it, with nothing drawn.
bool codeStep(Scene& coded, AviExport& aviExport, const std::vector<port::Picture>& pictures) {
  const port::Picture& picture =
      pictures[static_cast<std::size_t>(aviExport.picturesTaken) % pictures.size()];
  return writeFrame(coded, aviExport, picture, port::RowOrder::BottomUp).done;
}

void BM_PlayOnly(benchmark::State& state) {
  bench::DemoFrame frame;
  if (!setDemoScene(frame, state)) {
    return;
  }
  startPlaying(frame.scene);
  for (auto _ : state) {
    playStep(frame);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CodeOnly(benchmark::State& state, port::VideoCodec codec) {
  bench::DemoFrame frame;
  BenchFolder folder;
  if (!setDemoScene(frame, state) || !folder.made) {
    return;
  }
  startPlaying(frame.scene);
  const std::vector<port::Picture> pictures = demoPictures(frame);
  Scene coded = codingScene();
  AviExport aviExport;
  if (!startExport(coded, aviExport, std::filesystem::path(folder.path) / "coded.avi", codec)) {
    state.SkipWithError("the recording could not start");
    return;
  }
  bool written = true;
  for (auto _ : state) {
    written = codeStep(coded, aviExport, pictures) && written;
  }
  written = finishRecording(coded, aviExport, {}).done && written;
  if (!written) {
    state.SkipWithError("a picture was not written");
    return;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_CodeOnly, Uncompressed, port::VideoCodec::Uncompressed)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CodeOnly, Mjpeg, port::VideoCodec::Mjpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

// `overlap` off records as before the overlap: each picture read back and written within its
// frame step.
void BM_Record(benchmark::State& state, port::VideoCodec codec, bool overlap) {
  bench::DemoFrame frame;
  BenchFolder folder;
  if (!setDemoScene(frame, state) || !folder.made) {
    return;
  }
  Scene& scene = frame.scene;
  FrameSystems& systems = *frame.systems;
  systems.aviExport.overlapCoding = overlap;
  if (!startExport(scene, systems.aviExport, std::filesystem::path(folder.path) / "bench.avi", codec)) {
    state.SkipWithError("the recording could not start");
    return;
  }
  startPlaying(scene);
  for (auto _ : state) {
    frameStep(scene, systems);
  }
  const bool recorded = scene.recording && picturesDrawn(systems.aviExport) == state.iterations();
  scene.playing = false;
  stopRecording(scene, systems);
  if (!recorded || systems.aviExport.failed) {
    state.SkipWithError("a frame was not written");
    return;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_Record, Uncompressed, port::VideoCodec::Uncompressed, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Record, Mjpeg, port::VideoCodec::Mjpeg, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Record, UncompressedAtOnce, port::VideoCodec::Uncompressed, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Record, MjpegAtOnce, port::VideoCodec::Mjpeg, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The read-back of one drawn picture, repeated: straight into memory, or through a pixel-buffer
// object collected at once (the recording collects it a frame later).
void BM_ReadBack(benchmark::State& state, bool pixelBuffer) {
  bench::DemoFrame frame;
  if (!setDemoScene(frame, state)) {
    return;
  }
  startPlaying(frame.scene);
  playStep(frame);
  DisplayDevice& device = frame.systems->device;
  port::Picture picture{device.width, device.height, {}};
  picture.pixels.resize(static_cast<std::size_t>(device.width) * device.height * 4);
  AsyncReadBack readBack;
  bool read = true;
  for (auto _ : state) {
    if (pixelBuffer) {
      read = startReadBack(device, readBack) && collectReadBack(readBack, picture) && read;
    } else {
      read = readBackBufferBottomUp(device, picture.pixels) && read;
    }
    benchmark::DoNotOptimize(picture.pixels.data());
  }
  releaseReadBack(readBack);
  if (!read) {
    state.SkipWithError("the back buffer could not be read");
  }
}
BENCHMARK_CAPTURE(BM_ReadBack, Direct, false)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReadBack, PixelBuffer, true)->Unit(benchmark::kMicrosecond)->UseRealTime();

using Clock = std::chrono::steady_clock;

// Real and process CPU time (every thread's) of a stretch of work, in seconds.
struct Spent {
  double real = 0.0;
  double cpu = 0.0;

  template <typename Work>
  void add(Work work) {
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    work();
    cpu += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    real += std::chrono::duration<double>(Clock::now() - start).count();
  }
};

template <typename Step>
void repeatSteps(Step step) {
  for (int count = 0; count < kRoundSteps; ++count) {
    step();
  }
}

// Rounds of playing alone, coding alone and recording, kRoundSteps frame steps each, on one demo
// scene. The recording is held while the scene plays alone; a round of it includes the time to
// write what it queued. The CPU counters show what the ratio can reach on a machine whose cores
// are all busy.
void BM_ExportRatio(benchmark::State& state, port::VideoCodec codec, bool overlap) {
  bench::DemoFrame frame;
  BenchFolder folder;
  if (!setDemoScene(frame, state) || !folder.made) {
    return;
  }
  Scene& scene = frame.scene;
  FrameSystems& systems = *frame.systems;
  systems.aviExport.overlapCoding = overlap;
  startPlaying(scene);
  const std::vector<port::Picture> pictures = demoPictures(frame);
  Scene coded = codingScene();
  AviExport codedExport;
  if (!startExport(coded, codedExport, std::filesystem::path(folder.path) / "coded.avi", codec) ||
      !startExport(scene, systems.aviExport, std::filesystem::path(folder.path) / "recorded.avi", codec)) {
    state.SkipWithError("the recording could not start");
    return;
  }
  startPlaying(scene);
  Spent playing;
  Spent coding;
  Spent recording;
  for (auto _ : state) {
    scene.recording = false;
    playing.add([&] { repeatSteps([&] { playStep(frame); }); });
    coding.add([&] { repeatSteps([&] { codeStep(coded, codedExport, pictures); }); });
    scene.recording = true;
    recording.add([&] {
      repeatSteps([&] { frameStep(scene, systems); });
      systems.aviExport.writer->waitForQueuedFrames();
    });
  }
  const bool written = scene.recording && !codedExport.failed;
  finishRecording(coded, codedExport, {});
  scene.playing = false;
  stopRecording(scene, systems);
  if (!written || systems.aviExport.failed) {
    state.SkipWithError("a picture was not written");
    return;
  }
  const double milliseconds = 1000.0 / (static_cast<double>(state.iterations()) * kRoundSteps);
  state.counters["play_ms"] = playing.real * milliseconds;
  state.counters["code_ms"] = coding.real * milliseconds;
  state.counters["record_ms"] = recording.real * milliseconds;
  state.counters["play_cpu_ms"] = playing.cpu * milliseconds;
  state.counters["code_cpu_ms"] = coding.cpu * milliseconds;
  state.counters["record_cpu_ms"] = recording.cpu * milliseconds;
  // Export speed over the slower of playing and coding alone.
  state.counters["ratio"] = std::max(playing.real, coding.real) / recording.real;
}
BENCHMARK_CAPTURE(BM_ExportRatio, Uncompressed, port::VideoCodec::Uncompressed, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3.0);
BENCHMARK_CAPTURE(BM_ExportRatio, Mjpeg, port::VideoCodec::Mjpeg, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3.0);
BENCHMARK_CAPTURE(BM_ExportRatio, MjpegAtOnce, port::VideoCodec::Mjpeg, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3.0);

}  // namespace
}  // namespace zv
