#include "app/view_layout.h"

#include <cstdint>

namespace zv {

namespace {

// Products of a pixel count and an output size can pass 2^31 for large windows and outputs.
int scaledDivide(int value, int multiplier, int divisor) {
  return static_cast<int>(static_cast<std::int64_t>(value) * multiplier / divisor);
}

}  // namespace

port::Rect viewRectangle(int clientWidth, int clientHeight, int panelWidth, int outputWidth,
                         int outputHeight) {
  const int availableHeight = clientHeight - kTimelineReserve;
  const int availableWidth = clientWidth - panelWidth - kPanelGap;
  if (outputWidth <= 0 || outputHeight <= 0 || availableWidth <= 0 || availableHeight <= 0) {
    return {};
  }
  const int fittingWidth = scaledDivide(outputWidth, availableHeight, outputHeight);
  if (availableWidth < fittingWidth) {
    const int halfHeight = scaledDivide(outputHeight, availableWidth, outputWidth) / 2;
    return {panelWidth + kPanelGap, availableHeight / 2 - halfHeight, clientWidth,
            availableHeight / 2 + halfHeight};
  }
  const int centre = availableWidth / 2 + panelWidth + kPanelGap;
  return {centre - fittingWidth / 2, 0, centre + fittingWidth / 2, availableHeight};
}

Mat4 layoutProjection(float fieldOfViewDegrees, int outputWidth, int outputHeight) {
  Mat4 projection;
  if (outputWidth <= 0 || outputHeight <= 0) {
    return projection;
  }
  const float aspect = static_cast<float>(outputHeight) / static_cast<float>(outputWidth);
  perspective(projection, fieldOfViewDegrees * kSixDigitPi<float> / 180.0f, aspect, 1.0f, 1500.0f);
  return projection;
}

ViewStretch viewStretch(port::Rect view, int backBufferWidth, int backBufferHeight, float overlayScale) {
  if (backBufferWidth <= 0 || backBufferHeight <= 0) {
    return {};
  }
  return {static_cast<float>(view.width()) / static_cast<float>(backBufferWidth) * overlayScale,
          static_cast<float>(view.height()) / static_cast<float>(backBufferHeight) * overlayScale};
}

}  // namespace zv
