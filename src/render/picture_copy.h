// Copies of whole pictures onto the back buffer: the background image or video the 3D scene is
// drawn over.
#pragma once

#include "port/canvas/canvas.h"
#include "port/video/picture.h"
#include "render/display_device.h"

namespace zv {

// Writes `picture` (B, G, R, A, row 0 at the top) onto the back buffer with its top-left corner
// at `at`, pixel for pixel with its alpha, as a plain surface copy does; what falls outside the
// back buffer is cut. Whatever was painted before lies under the copy.
void copyPictureToBackBuffer(DisplayDevice& device, const port::Picture& picture, port::Point at);

}  // namespace zv
