#include "render/back_buffer_painting.h"

#include <algorithm>

namespace zv {

void markPainted(DisplayDevice& device, port::Rect area) {
  if (area.width() <= 0 || area.height() <= 0) {
    return;
  }
  if (!device.paintedArea) {
    device.paintedArea = area;
    return;
  }
  port::Rect& painted = *device.paintedArea;
  painted = {std::min(painted.left, area.left), std::min(painted.top, area.top),
             std::max(painted.right, area.right), std::max(painted.bottom, area.bottom)};
}

void textOut(DisplayDevice& device, std::string_view utf8, int height, int x, int y, std::uint8_t r,
             std::uint8_t g, std::uint8_t b) {
  if (!device.created || utf8.empty()) {
    return;
  }
  markPainted(device, device.painting.text(utf8, kInfoTextFace, height, x, y, {r, g, b, 255}));
}

void fillRect(DisplayDevice& device, port::Rect area, port::Colour colour) {
  if (!device.created) {
    return;
  }
  device.painting.fill(area, colour);
  markPainted(device, area);
}

void drawPolyline(DisplayDevice& device, std::span<const port::Point> points, port::Colour colour,
                  port::PenStyle style) {
  if (!device.created || points.size() < 2) {
    return;
  }
  device.painting.polyline(points, colour, style);
  port::Rect bounds{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const port::Point& point : points) {
    bounds = {std::min(bounds.left, point.x), std::min(bounds.top, point.y), std::max(bounds.right, point.x),
              std::max(bounds.bottom, point.y)};
  }
  markPainted(device, {bounds.left - 2, bounds.top - 2, bounds.right + 3, bounds.bottom + 3});
}

}  // namespace zv
