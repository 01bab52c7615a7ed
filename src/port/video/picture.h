// A picture in memory as the video code hands it around: 4 bytes B, G, R, A per pixel, row 0 at
// the top, rows packed without padding.
#pragma once

#include <cstdint>
#include <vector>

namespace zv::port {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width x height x 4 bytes

  std::uint8_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width * 4; }
  const std::uint8_t* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width * 4; }
};

// Largest side of a picture the video code creates or accepts: width x height x 4 stays far below
// 2^31, so no byte count can overflow a 32-bit stream field.
inline constexpr int kMaxPictureSide = 8192;

// The order a picture's rows are stored in. Pictures are top-down unless a call says otherwise;
// bottom-up is how GL reads a framebuffer back, and how a bitmap stores its rows.
enum class RowOrder { TopDown, BottomUp };

bool pictureSizeAcceptable(int width, int height);

// Sets every pixel's alpha to 255, keeping its colour.
void makeOpaque(Picture& picture);

// A picture of the size with every pixel set to `bgra` (B in the low byte).
Picture makePicture(int width, int height, std::uint32_t bgra);

}  // namespace zv::port
