// Export throughput at 512 x 384: composing the demo background alone (the part of a frame step
// that exists without the display device) against composing it and writing each picture to an
// AVI file, uncompressed and MJPEG.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "media/avi_export.h"
#include "media/background_video.h"

namespace {

constexpr int kOutputWidth = 512;
constexpr int kOutputHeight = 384;

std::filesystem::path demoVideo() {
  const char* source = std::getenv("ZV_SOURCE_DIR");
  return std::filesystem::path(source != nullptr ? source : ".") / "UserFile" / "BackGround" /
         "demo_background.avi";
}

struct BenchScene {
  zv::Scene scene;
  zv::Backgrounds backgrounds;

  BenchScene() {
    scene.outputWidth = kOutputWidth;
    scene.outputHeight = kOutputHeight;
    zv::resizeBackgrounds(backgrounds, kOutputWidth, kOutputHeight, 1.0f);
  }

  bool load(benchmark::State& state) {
    if (!zv::loadVideo(scene, backgrounds, demoVideo())) {
      state.SkipWithError("demo background not found: set ZV_SOURCE_DIR to the source folder");
      return false;
    }
    return true;
  }

  // Composes the background of `frame` as editing does, so that both runs decode the same frames.
  void renderFrame(std::uint32_t frame) {
    const bool playing = scene.playing;
    scene.playing = false;
    scene.currentFrame = frame % 30;
    zv::composeVideo(scene, backgrounds);
    scene.playing = playing;
  }
};

void BM_RenderOnly(benchmark::State& state) {
  BenchScene bench;
  if (!bench.load(state)) {
    return;
  }
  std::uint32_t frame = 0;
  for (auto _ : state) {
    bench.renderFrame(frame++);
    benchmark::DoNotOptimize(bench.backgrounds.videoSurface.pixels.data());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RenderAndExport(benchmark::State& state, zv::port::VideoCodec codec) {
  BenchScene bench;
  if (!bench.load(state)) {
    return;
  }
  std::string folder = (std::filesystem::temp_directory_path() / "zolvanta-bench-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  zv::AviExport aviExport;
  zv::RecordingSettings settings;
  settings.recordPath = std::filesystem::path(folder) / "bench.avi";
  settings.recordEndFrame = 1000000;
  settings.codec.codec = codec;
  zv::startRecording(bench.scene, aviExport, settings, std::nullopt);
  std::uint32_t frame = 0;
  for (auto _ : state) {
    bench.renderFrame(frame++);
    zv::writeFrame(bench.scene, aviExport, bench.backgrounds.videoSurface);
  }
  zv::finishRecording(bench.scene, aviExport, {});
  std::filesystem::remove_all(folder);
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_RenderOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderAndExport, Uncompressed, zv::port::VideoCodec::Uncompressed)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderAndExport, Mjpeg, zv::port::VideoCodec::Mjpeg)->Unit(benchmark::kMillisecond);

}  // namespace
