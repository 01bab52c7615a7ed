// Where a background picture lies in the back buffer, and how the user's drags move and zoom it.
#pragma once

#include <cstdint>

namespace zv {

// Smallest zoom a drag can reach: below it the picture would vanish or turn over.
inline constexpr float kMinBackgroundZoom = 0.01f;

struct BackgroundPlacement {
  int offsetX = 0;  // top-left of the picture in back-buffer pixels
  int offsetY = 0;
  float zoom = 1.0f;  // back-buffer pixels per picture pixel, horizontally
};

// A rectangle in back-buffer pixels; wide enough that no offset or zoom overflows it.
struct PlacedArea {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
};

// The picture fills the width and is centred vertically. `aspectCorrection` is
// (H / W) / (outputHeight / outputWidth): vertical sizes are multiplied by it, so the picture
// keeps its proportions in the output picture.
BackgroundPlacement fitToWidth(int pictureWidth, int pictureHeight, int targetWidth, int targetHeight,
                               float aspectCorrection);

// The rectangle the picture covers: (offset, offset + trunc(size x zoom)), the height also
// multiplied by `aspectCorrection`. Empty for a zoom that is not a positive number.
PlacedArea placedArea(const BackgroundPlacement& placement, int pictureWidth, int pictureHeight,
                      float aspectCorrection);

// The zoom drag: `dy` window pixels of mouse motion shrink or grow the picture about its centre.
// A drag that would take the zoom below kMinBackgroundZoom stops it there and moves nothing.
void dragBackgroundZoom(BackgroundPlacement& placement, int dy, int pictureWidth, int pictureHeight);
// The pan drag: five back-buffer pixels per window pixel of mouse motion.
void dragBackgroundPan(BackgroundPlacement& placement, int dx, int dy);

}  // namespace zv
