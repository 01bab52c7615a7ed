// A decoded picture in memory: what the BMP and TGA readers produce and the texture store, the
// sprites and the backgrounds consume.
#pragma once

#include <cstdint>
#include <vector>

namespace zv {

struct RgbaImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;   // of the source file (1, 4, 8, 24, 32); textures choose their format by it
  bool hasAlpha = false;  // the alpha bytes come from the file; otherwise every alpha is 255
  std::vector<std::uint8_t> pixels;  // width x height x 4 bytes R, G, B, A; row 0 is the top row

  std::uint8_t* at(int x, int y) { return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
  const std::uint8_t* at(int x, int y) const {
    return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
  }
};

// A blank image of the given size, every pixel transparent black.
RgbaImage makeImage(int width, int height, int bitsPerPixel = 32);

// Largest side and pixel count a reader accepts: bounds every allocation a file can ask for.
inline constexpr int kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

bool imageSizeAcceptable(std::int64_t width, std::int64_t height);

}  // namespace zv
