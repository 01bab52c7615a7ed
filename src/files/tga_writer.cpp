#include "files/tga_writer.h"

namespace zv {

std::string encodeTga32(const RgbaImage& image) {
  std::string out(18, '\0');
  out[2] = 2;
  out[12] = static_cast<char>(image.width & 0xFF);
  out[13] = static_cast<char>(image.width >> 8);
  out[14] = static_cast<char>(image.height & 0xFF);
  out[15] = static_cast<char>(image.height >> 8);
  out[16] = 32;
  out[17] = 8;  // eight alpha bits, bottom row first
  out.reserve(out.size() + image.pixels.size());
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* pixel = image.at(x, y);
      out.push_back(static_cast<char>(pixel[2]));
      out.push_back(static_cast<char>(pixel[1]));
      out.push_back(static_cast<char>(pixel[0]));
      out.push_back(static_cast<char>(pixel[3]));
    }
  }
  return out;
}

}  // namespace zv
