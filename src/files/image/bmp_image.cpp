#include "files/image/bmp_image.h"

namespace zv {

RgbaImage makeImage(int width, int height, int bitsPerPixel) {
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.bitsPerPixel = bitsPerPixel;
  image.pixels.assign(static_cast<std::size_t>(width) * height * 4, 0);
  return image;
}

bool imageSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

}  // namespace zv
