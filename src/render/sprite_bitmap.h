// Overlay bitmaps (bone markers, the zoom and pan icon, the widget strips) drawn onto the back
// buffer with black as the transparent colour.
#pragma once

#include <filesystem>

#include "port/canvas/canvas.h"
#include "port/rect.h"
#include "render/display_device.h"

namespace zv {

struct SpriteBitmap {
  std::filesystem::path file;  // where it was loaded from, kept for reloading
  int width = 0;               // at most the back buffer's width: wider bitmaps are cut
  int height = 0;
  port::Canvas image{0, 0};  // black pixels made transparent
};

// Loads a Windows bitmap file into `sprite`; false (sprite unchanged) when it cannot be read.
bool loadSprite(const DisplayDevice& device, SpriteBitmap& sprite, const std::filesystem::path& file);

// Draws `source` (left, top, right, bottom in sprite pixels) with its top-left corner at (x, y),
// scaled by the overlay scale and clipped to the back buffer, black transparent.
void blitSprite(DisplayDevice& device, int x, int y, const SpriteBitmap& sprite, port::Rect source);

}  // namespace zv
