#include "files/image/tga_writer.h"

namespace zv {
namespace {

constexpr char kEightAlphaBits = 0x08;
constexpr char kTopToBottom = 0x20;

void appendRow(std::string& out, const RgbaImage& image, int y) {
  for (int x = 0; x < image.width; ++x) {
    const std::uint8_t* pixel = image.at(x, y);
    out.push_back(static_cast<char>(pixel[2]));
    out.push_back(static_cast<char>(pixel[1]));
    out.push_back(static_cast<char>(pixel[0]));
    out.push_back(static_cast<char>(pixel[3]));
  }
}

}  // namespace

std::string encodeTga32(const RgbaImage& image, TgaRowOrder rows) {
  const bool topRowFirst = rows == TgaRowOrder::TopRowFirst;
  std::string out(18, '\0');
  out[2] = 2;
  out[12] = static_cast<char>(image.width & 0xFF);
  out[13] = static_cast<char>(image.width >> 8);
  out[14] = static_cast<char>(image.height & 0xFF);
  out[15] = static_cast<char>(image.height >> 8);
  out[16] = 32;
  out[17] = topRowFirst ? kEightAlphaBits | kTopToBottom : kEightAlphaBits;
  out.reserve(out.size() + image.pixels.size());
  for (int row = 0; row < image.height; ++row) {
    appendRow(out, image, topRowFirst ? row : image.height - 1 - row);
  }
  return out;
}

}  // namespace zv
