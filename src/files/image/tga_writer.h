// Encoding pictures with alpha as Targa files.
#pragma once

#include <string>

#include "files/image/bmp_image.h"

namespace zv {

// The order the rows are stored in; readers honour the descriptor's top-to-bottom bit.
enum class TgaRowOrder { BottomRowFirst, TopRowFirst };

// An uncompressed 32-bit Targa file (type 2, 8 alpha bits) of the image.
std::string encodeTga32(const RgbaImage& image, TgaRowOrder rows = TgaRowOrder::BottomRowFirst);

}  // namespace zv
