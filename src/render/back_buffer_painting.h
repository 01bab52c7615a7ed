// 2D painting on the back buffer: the information text, bone lines and colour fills. What is
// painted shows in the order it was painted relative to the 3D drawing around it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "render/display_device.h"

namespace zv {

// The face every information text is drawn in.
inline constexpr std::string_view kInfoTextFace = "標準ゴシック";

// One line of UTF-8 text with its character cell's top-left at (x, y), `height` pixels high
// (0 for the default), weight 400, transparent background, in colour r, g, b.
void textOut(DisplayDevice& device, std::string_view utf8, int height, int x, int y, std::uint8_t r,
             std::uint8_t g, std::uint8_t b);
void fillRect(DisplayDevice& device, port::Rect area, port::Colour colour);
// A polyline with a 2-pixel solid or a 1-pixel dotted pen.
void drawPolyline(DisplayDevice& device, std::span<const port::Point> points, port::Colour colour,
                  port::PenStyle style);

// Records that `area` of the painting layer changed, so the next flush lays it over the back buffer.
void markPainted(DisplayDevice& device, port::Rect area);

}  // namespace zv
