// The sprite overlays drawn over the 3D view each frame: the camera-centre marker, the zoom and pan
// icon, and the rotate and move widget strips with their highlighted buttons.
#pragma once

#include <optional>
#include <vector>

#include "port/canvas/canvas.h"
#include "port/ui.h"
#include "scene/document/scene.h"

namespace zv {

// The four overlay bitmaps: "Data/bone.bmp", "Data/scale.bmp", "Data/roll.bmp", "Data/move.bmp".
enum class OverlaySprite { Bone, Scale, Roll, Move };

// One colour-keyed blit: the sprite's `source` rectangle drawn with its top-left corner at (x, y)
// in back-buffer pixels, scaled by the overlay scale.
struct SpriteOverlay {
  OverlaySprite sprite = OverlaySprite::Bone;
  port::Rect source;
  int x = 0;
  int y = 0;
};

// Every overlay blit of the frame in drawing order, for a back buffer of width x height and the
// overlay scale. `centreMarker` is the camera centre projected into the back buffer, when it lies
// in front of the eye.
std::vector<SpriteOverlay> spriteOverlays(const Scene& scene, int width, int height, float overlayScale,
                                          std::optional<port::Point> centreMarker);

}  // namespace zv
