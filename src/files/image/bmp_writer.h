// Encoding pictures as files: the data generator writes the toon ramps and sprites with these.
#pragma once

#include <string>

#include "files/image/bmp_image.h"

namespace zv {

// A bottom-up 24-bit uncompressed Windows bitmap of the image (alpha dropped).
std::string encodeBmp24(const RgbaImage& image);

}  // namespace zv
