// The 256 x 256 screen-capture texture that props show on their "screen.bmp" materials: a copy
// of part of the back buffer, or of the background video, taken once per frame step.
#pragma once

#include "port/rect.h"
#include "port/video/picture.h"
#include "render/display_device.h"

namespace zv {

inline constexpr int kCaptureSize = 256;

struct CaptureTexture {
  unsigned texture = 0;      // GL texture, kCaptureSize square; 0 until created
  unsigned framebuffer = 0;  // draws into `texture`
};

// Needs a current GL context; false (nothing kept) when the texture cannot be made.
bool createCaptureTexture(CaptureTexture& capture);
void releaseCaptureTexture(CaptureTexture& capture);

// Stretches `source` (back-buffer pixels, row 0 at the top) over the whole texture, linearly
// filtered, alpha as drawn. What was painted on the back buffer before is included.
void captureBackBuffer(CaptureTexture& capture, DisplayDevice& device, port::Rect source);
// Stretches the whole picture (B, G, R, A, row 0 at the top) over the texture, nearest pixel,
// opaque; a picture short of its pixels leaves the texture as it was.
void capturePicture(CaptureTexture& capture, const port::Picture& picture);

}  // namespace zv
