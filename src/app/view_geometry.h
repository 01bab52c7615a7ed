// Where the 3D view sits in the window and how window pixels map onto its back buffer: what the
// mouse tests of the view need to compare a pointer with what was drawn.
#pragma once

#include "app/frame_systems.h"
#include "port/rect.h"

namespace zv {

struct ViewGeometry {
  port::Rect view;           // client pixels: L, T, R, B
  float xRatio = 1;          // kx: view width / back-buffer width x overlay scale
  float yRatio = 1;          // ky
  float overlayScale = 1;    // s
  int backBufferWidth = 1;   // W
  int backBufferHeight = 1;  // H
};

ViewGeometry viewGeometry(const FrameSystems& systems);

// A client pixel as a back-buffer pixel.
int backBufferX(const ViewGeometry& geometry, int clientX);
int backBufferY(const ViewGeometry& geometry, int clientY);

// A back-buffer position plus a window-pixel offset, as a client pixel.
int clientX(const ViewGeometry& geometry, float backBufferX, float offset = 0);
int clientY(const ViewGeometry& geometry, float backBufferY, float offset = 0);

// The view's centre in client pixels (integer halves).
int viewCentreX(const ViewGeometry& geometry);
int viewCentreY(const ViewGeometry& geometry);

}  // namespace zv
