#include "render/picture_copy.h"

#include <GL/glcorearb.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zv {

void copyPictureToBackBuffer(DisplayDevice& device, const port::Picture& picture, port::Point at) {
  const std::size_t pictureBytes = static_cast<std::size_t>(std::max(picture.width, 0)) *
                                   static_cast<std::size_t>(std::max(picture.height, 0)) * 4;
  if (!device.created || pictureBytes == 0 || picture.pixels.size() < pictureBytes) {
    return;
  }
  const int left = std::max(at.x, 0);
  const int top = std::max(at.y, 0);
  const int right = std::min(at.x + picture.width, device.width);
  const int bottom = std::min(at.y + picture.height, device.height);
  if (right <= left || bottom <= top) {
    return;
  }
  flushPainting(device);
  const int width = right - left;
  const int height = bottom - top;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  // GL counts the back buffer's rows from the bottom, so the picture's rows go in last first.
  std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* source = picture.row(top - at.y + y) + static_cast<std::size_t>(left - at.x) * 4;
    std::memcpy(rows.data() + static_cast<std::size_t>(height - 1 - y) * rowBytes, source, rowBytes);
  }
  glBindTexture(GL_TEXTURE_2D, device.colourTexture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexSubImage2D(GL_TEXTURE_2D, 0, left, device.height - bottom, width, height, GL_BGRA, GL_UNSIGNED_BYTE,
                  rows.data());
}

}  // namespace zv
