// Drawing a background picture, stretched, into a back-buffer-sized surface.
#pragma once

#include "media/background_placement.h"
#include "port/video/picture.h"

namespace zv {

// Draws `source` into `target` so that it fills `area`, filtered smoothly (bilinear); the part of
// `area` outside `target` is cut off with the source pixels it would show. At one target pixel per
// source pixel the copy is exact. Drawn pixels are opaque.
void stretchPicture(port::Picture& target, const PlacedArea& area, const port::Picture& source);

// Every pixel of `target` opaque white.
void fillWhite(port::Picture& target);

}  // namespace zv
