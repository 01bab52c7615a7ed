#include "port/video/picture.h"

#include <bit>
#include <cstring>

namespace zv::port {

bool pictureSizeAcceptable(int width, int height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

void makeOpaque(Picture& picture) {
  // Whole pixels as little-endian words (A in the top byte) let the compiler vectorise the loop.
  static_assert(std::endian::native == std::endian::little);
  const std::size_t count = picture.pixels.size() / 4;
  std::uint8_t* pixels = picture.pixels.data();
  for (std::size_t index = 0; index < count; ++index) {
    std::uint32_t pixel;
    std::memcpy(&pixel, pixels + index * 4, 4);
    pixel |= 0xFF000000u;
    std::memcpy(pixels + index * 4, &pixel, 4);
  }
}

Picture makePicture(int width, int height, std::uint32_t bgra) {
  Picture picture{width, height, {}};
  picture.pixels.resize(static_cast<std::size_t>(width) * height * 4);
  const std::uint8_t pixel[4] = {static_cast<std::uint8_t>(bgra), static_cast<std::uint8_t>(bgra >> 8),
                                 static_cast<std::uint8_t>(bgra >> 16),
                                 static_cast<std::uint8_t>(bgra >> 24)};
  for (std::size_t offset = 0; offset < picture.pixels.size(); offset += 4) {
    std::memcpy(picture.pixels.data() + offset, pixel, 4);
  }
  return picture;
}

}  // namespace zv::port
