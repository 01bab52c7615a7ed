#include "app/view_geometry.h"

#include <algorithm>

namespace zv {

ViewGeometry viewGeometry(const FrameSystems& systems) {
  ViewGeometry geometry;
  geometry.view = systems.viewRectangle;
  // A view not laid out yet has no stretch; 1 keeps the conversions finite until it is.
  geometry.xRatio = systems.stretch.xRatio > 0 ? systems.stretch.xRatio : 1.0f;
  geometry.yRatio = systems.stretch.yRatio > 0 ? systems.stretch.yRatio : 1.0f;
  geometry.overlayScale = systems.device.overlayScale > 0 ? systems.device.overlayScale : 1.0f;
  geometry.backBufferWidth = std::max(systems.device.width, 1);
  geometry.backBufferHeight = std::max(systems.device.height, 1);
  return geometry;
}

int backBufferX(const ViewGeometry& geometry, int x) {
  return static_cast<int>(static_cast<float>(x - geometry.view.left) * geometry.overlayScale /
                          geometry.xRatio);
}

int backBufferY(const ViewGeometry& geometry, int y) {
  return static_cast<int>(static_cast<float>(y - geometry.view.top) * geometry.overlayScale /
                          geometry.yRatio);
}

int clientX(const ViewGeometry& geometry, float x, float offset) {
  return geometry.view.left + static_cast<int>(geometry.xRatio * x / geometry.overlayScale + offset);
}

int clientY(const ViewGeometry& geometry, float y, float offset) {
  return geometry.view.top + static_cast<int>(geometry.yRatio * y / geometry.overlayScale + offset);
}

int viewCentreX(const ViewGeometry& geometry) {
  return (geometry.view.left + geometry.view.right) / 2;
}

int viewCentreY(const ViewGeometry& geometry) {
  return (geometry.view.top + geometry.view.bottom) / 2;
}

}  // namespace zv
