// Copying a screen-sized background picture onto a 1920 x 1080 back buffer, as the frame step
// does every step while a background image or video is shown.
#include <benchmark/benchmark.h>

#include <memory>

#include "port/gl/headless_gl_context.h"
#include "port/video/picture.h"
#include "render/display_device.h"
#include "render/picture_copy.h"

namespace zv {
namespace {

void BM_BackgroundCopy1080(benchmark::State& state) {
  std::string error;
  std::unique_ptr<port::HeadlessGlContext> context = port::HeadlessGlContext::create(error);
  DisplayDevice device;
  if (!context || !createDevice(device, {1920, 1080})) {
    state.SkipWithError("no headless GL context");
    return;
  }
  const port::Picture picture = port::makePicture(device.width, device.height, 0xFF336699u);
  for (auto _ : state) {
    copyPictureToBackBuffer(device, picture, {0, 0});
    // Waits until the copy has landed.
    readBackBuffer(device, {0, 0, 1, 1});
  }
  state.counters["width"] = device.width;
  releaseDevice(device);
}
BENCHMARK(BM_BackgroundCopy1080)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zv
