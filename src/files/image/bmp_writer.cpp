#include "files/image/bmp_writer.h"

namespace zv {
namespace {

void putU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

void putU32(std::string& out, std::uint32_t value) {
  putU16(out, value & 0xFFFF);
  putU16(out, value >> 16);
}

}  // namespace

std::string encodeBmp24(const RgbaImage& image) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = rowBytes * image.height;
  const std::uint32_t offset = 14 + 40;
  std::string out;
  out.reserve(offset + pixelBytes);
  out += "BM";
  putU32(out, offset + pixelBytes);
  putU32(out, 0);
  putU32(out, offset);
  putU32(out, 40);
  putU32(out, image.width);
  putU32(out, image.height);
  putU16(out, 1);
  putU16(out, 24);
  putU32(out, 0);
  putU32(out, pixelBytes);
  putU32(out, 2835);  // 72 dots per inch
  putU32(out, 2835);
  putU32(out, 0);
  putU32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* pixel = image.at(x, y);
      out.push_back(static_cast<char>(pixel[2]));
      out.push_back(static_cast<char>(pixel[1]));
      out.push_back(static_cast<char>(pixel[0]));
    }
    out.append(rowBytes - image.width * 3, '\0');
  }
  return out;
}

}  // namespace zv
