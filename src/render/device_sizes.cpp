#include "render/device_sizes.h"

#include <array>

namespace zv {
namespace {

// One row of the fall-back table. A ratio row (ratio set) matches any size wider than `width`
// whose width x widthFactor equals its height x heightFactor; an exact row matches one size.
struct SizeStep {
  int width, height;
  int nextWidth, nextHeight;
  bool ratio = false;
  int widthFactor = 0, heightFactor = 0;

  bool matches(int w, int h) const {
    return ratio ? w > width && w * widthFactor == h * heightFactor : w == width && h == height;
  }
};

constexpr SizeStep exact(int w, int h, int nextW, int nextH) {
  return {w, h, nextW, nextH};
}
constexpr SizeStep larger(int w, int widthFactor, int heightFactor, int nextW, int nextH) {
  return {w, 0, nextW, nextH, true, widthFactor, heightFactor};
}

// Read top to bottom, first match wins. 1440 x 900 goes to 840 x 525 and 1920 x 1080 to
// 1360 x 768 on purpose: those are the sizes the steps were tuned on.
constexpr std::array kSteps{
    larger(2560, 10, 16, 2560, 1600), exact(2560, 1600, 1920, 1200),   exact(1920, 1200, 1680, 1050),
    exact(1680, 1050, 1440, 900),     exact(1440, 900, 840, 525),      larger(2048, 3, 4, 2048, 1536),
    exact(2048, 1536, 1920, 1440),    exact(1920, 1440, 1600, 1200),   exact(1600, 1200, 1400, 1050),
    exact(1400, 1050, 1280, 960),     exact(1280, 960, 1152, 864),     exact(1152, 864, 1024, 768),
    exact(1024, 768, 800, 600),       larger(3840, 9, 16, 3840, 2160), exact(3840, 2160, 1920, 1080),
    exact(1920, 1080, 1360, 768),     exact(1366, 768, 1280, 720),     exact(1280, 720, 960, 540),
    larger(1280, 4, 5, 1280, 1024),   exact(1280, 1024, 960, 768),     larger(1280, 5, 8, 1280, 800),
    exact(1280, 800, 800, 500),       larger(1280, 3, 5, 1280, 768),   exact(1280, 768, 800, 480),
    larger(1360, 48, 85, 1360, 768),  exact(1360, 768, 960, 540),
};

}  // namespace

std::optional<port::Size> nextDeviceSize(port::Size current) {
  for (const SizeStep& step : kSteps) {
    if (step.matches(current.width, current.height)) {
      return port::Size{step.nextWidth, step.nextHeight};
    }
  }
  return std::nullopt;
}

}  // namespace zv
