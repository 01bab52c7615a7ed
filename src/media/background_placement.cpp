#include "media/background_placement.h"

#include <cmath>

namespace zv {

namespace {

// Larger sizes are cut to this before they become integers: a picture this big is never seen
// whole, and the conversion stays defined.
constexpr float kMaxPlacedSide = 1 << 24;

std::int64_t truncatedSide(float side) {
  if (!(side > 0.0f)) {
    return 0;
  }
  return static_cast<std::int64_t>(std::fmin(side, kMaxPlacedSide));
}

// Offsets stay where an int cannot overflow however long the user drags.
int movedOffset(int offset, float distance) {
  const float moved =
      std::fmax(-kMaxPlacedSide, std::fmin(kMaxPlacedSide, static_cast<float>(offset) + distance));
  return static_cast<int>(moved);
}

}  // namespace

BackgroundPlacement fitToWidth(int pictureWidth, int pictureHeight, int targetWidth, int targetHeight,
                               float aspectCorrection) {
  BackgroundPlacement placement;
  placement.zoom = static_cast<float>(targetWidth) / static_cast<float>(pictureWidth);
  placement.offsetY =
      static_cast<int>(static_cast<float>(targetHeight) / 2.0f -
                       static_cast<float>(pictureHeight) * placement.zoom * aspectCorrection * 0.5f);
  return placement;
}

PlacedArea placedArea(const BackgroundPlacement& placement, int pictureWidth, int pictureHeight,
                      float aspectCorrection) {
  const std::int64_t width = truncatedSide(static_cast<float>(pictureWidth) * placement.zoom);
  const std::int64_t height =
      truncatedSide(static_cast<float>(pictureHeight) * placement.zoom * aspectCorrection);
  return {placement.offsetX, placement.offsetY, placement.offsetX + width, placement.offsetY + height};
}

void dragBackgroundZoom(BackgroundPlacement& placement, int dy, int pictureWidth, int pictureHeight) {
  const float zoom = placement.zoom - 0.01f * static_cast<float>(dy);
  if (!(zoom >= kMinBackgroundZoom)) {
    placement.zoom = kMinBackgroundZoom;
    return;
  }
  placement.zoom = zoom;
  placement.offsetX = movedOffset(
      placement.offsetX, std::trunc(0.005f * static_cast<float>(dy) * static_cast<float>(pictureWidth)));
  placement.offsetY = movedOffset(
      placement.offsetY, std::trunc(0.005f * static_cast<float>(dy) * static_cast<float>(pictureHeight)));
}

void dragBackgroundPan(BackgroundPlacement& placement, int dx, int dy) {
  placement.offsetX = movedOffset(placement.offsetX, std::trunc(5.0f * static_cast<float>(dx)));
  placement.offsetY = movedOffset(placement.offsetY, std::trunc(5.0f * static_cast<float>(dy)));
}

}  // namespace zv
