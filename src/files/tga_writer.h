// Encoding pictures with alpha as Targa files.
#pragma once

#include <string>

#include "files/bmp_image.h"

namespace zv {

// An uncompressed 32-bit bottom-up Targa file (type 2, 8 alpha bits) of the image.
std::string encodeTga32(const RgbaImage& image);

}  // namespace zv
