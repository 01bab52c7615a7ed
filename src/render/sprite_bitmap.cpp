#include "render/sprite_bitmap.h"

#include <algorithm>
#include <cmath>

#include "files/image/bmp_reader.h"
#include "render/back_buffer_painting.h"

namespace zv {

bool loadSprite(const DisplayDevice& device, SpriteBitmap& sprite, const std::filesystem::path& file) {
  std::string error;
  const std::optional<RgbaImage> bitmap = readBmpFile(file, error);
  if (!bitmap) {
    return false;
  }
  const port::Canvas whole(bitmap->width, bitmap->height, bitmap->pixels);
  const int width = std::min(device.width, bitmap->width);
  if (width <= 0) {
    return false;
  }
  port::Canvas cut(width, bitmap->height);
  cut.draw({0, 0, width, bitmap->height}, whole, {0, 0, width, bitmap->height});
  cut.makeTransparent({0, 0, 0, 255});
  sprite.file = file;
  sprite.width = width;
  sprite.height = bitmap->height;
  sprite.image = std::move(cut);
  return true;
}

void blitSprite(DisplayDevice& device, int x, int y, const SpriteBitmap& sprite, port::Rect source) {
  if (!device.created || sprite.width <= 0) {
    return;
  }
  const float s = device.overlayScale;
  // A source reaching outside the sprite is cut to it first, moving the destination with it.
  const int leftCut = std::max(0, -source.left);
  const int topCut = std::max(0, -source.top);
  source = {source.left + leftCut, source.top + topCut, std::min(source.right, sprite.width),
            std::min(source.bottom, sprite.height)};
  x += static_cast<int>(static_cast<float>(leftCut) * s);
  y += static_cast<int>(static_cast<float>(topCut) * s);
  if (source.width() <= 0 || source.height() <= 0) {
    return;
  }
  port::Rect target{x, y, x + static_cast<int>(static_cast<float>(source.width()) * s),
                    y + static_cast<int>(static_cast<float>(source.height()) * s)};
  // Whatever of the destination falls outside the back buffer is cut, and the source with it.
  if (target.left < 0) {
    source.left += static_cast<int>(static_cast<float>(-target.left) / s);
    target.left = 0;
  }
  if (target.top < 0) {
    source.top += static_cast<int>(static_cast<float>(-target.top) / s);
    target.top = 0;
  }
  if (target.right > device.width) {
    source.right -= static_cast<int>(static_cast<float>(target.right - device.width) / s);
    target.right = device.width;
  }
  if (target.bottom > device.height) {
    source.bottom -= static_cast<int>(static_cast<float>(target.bottom - device.height) / s);
    target.bottom = device.height;
  }
  if (target.width() <= 0 || target.height() <= 0 || source.width() <= 0 || source.height() <= 0) {
    return;
  }
  device.painting.draw(target, sprite.image, source);
  markPainted(device, target);
}

}  // namespace zv
