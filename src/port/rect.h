// Pixel geometry: a rectangle (right and bottom exclusive) and a size; window areas, view
// placements, canvas fills, screen and device sizes.
#pragma once

namespace zv::port {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
};

}  // namespace zv::port
