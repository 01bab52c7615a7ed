#include <gtest/gtest.h>

#include <string>

#include "files/image/tga_reader.h"
#include "files/image/tga_writer.h"

namespace zv {
namespace {

std::string header(int type, int width, int height, int bits, int descriptor, int colourMap = 0,
                   int idLength = 0) {
  std::string out(18, '\0');
  out[0] = static_cast<char>(idLength);
  out[1] = static_cast<char>(colourMap);
  out[2] = static_cast<char>(type);
  out[12] = static_cast<char>(width);
  out[14] = static_cast<char>(height);
  out[16] = static_cast<char>(bits);
  out[17] = static_cast<char>(descriptor);
  return out;
}

std::optional<RgbaImage> decode(const std::string& bytes, std::string& error) {
  return decodeTga(std::as_bytes(std::span(bytes)), error);
}

// R, G, B, A of one pixel as 0xRRGGBBAA.
std::uint32_t rgbaAt(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.at(x, y);
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

TEST(TgaReader, RunLengthTwoByTwoDecodesExactly) {
  // Bottom-up: stored row 0 is the bottom row. Row 0: a repeated packet of 2 pixels; row 1: a raw
  // packet of 2 pixels.
  const std::string data = header(10, 2, 2, 32, 8) + std::string("\x81\x10\x20\x30\x40", 5) +
                           std::string("\x01\x01\x02\x03\x04\x05\x06\x07\x08", 9);
  std::string error;
  const auto image = decode(data, error);
  ASSERT_TRUE(image) << error;
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(rgbaAt(*image, 0, 1), 0x30201040u);
  EXPECT_EQ(rgbaAt(*image, 1, 1), 0x30201040u);
  EXPECT_EQ(rgbaAt(*image, 0, 0), 0x03020104u);
  EXPECT_EQ(rgbaAt(*image, 1, 0), 0x07060508u);
}

TEST(TgaReader, OrientationAndTwentyFourBits) {
  const std::string rows = std::string("\x01\x02\x03\x04\x05\x06", 6);
  std::string error;
  // Bottom-up: the first stored row becomes the last.
  auto image = decode(header(2, 1, 2, 24, 0) + rows, error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbaAt(*image, 0, 1), 0x030201FFu);
  EXPECT_EQ(rgbaAt(*image, 0, 0), 0x060504FFu);
  // Top-down files (bit 0x20) keep their order.
  image = decode(header(2, 1, 2, 24, 0x20) + rows, error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbaAt(*image, 0, 0), 0x030201FFu);
  // Right-to-left files (bit 0x10) are mirrored; the identification field is skipped.
  image = decode(header(2, 2, 1, 24, 0x10, 0, 3) + "abc" + rows, error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbaAt(*image, 0, 0), 0x060504FFu);
  EXPECT_EQ(rgbaAt(*image, 1, 0), 0x030201FFu);
}

TEST(TgaReader, PacketsReachingPastTheirRowAreCut) {
  // 2 x 2: a repeated packet of 4 pixels in row 0 ends at the row's end; row 1 starts anew with
  // a raw packet of 3 pixels, the third of which is read but not written.
  const std::string data = header(10, 2, 2, 24, 0x20) + std::string("\x83\x0A\x0B\x0C", 4) +
                           std::string("\x02\x01\x01\x01\x02\x02\x02\x03\x03\x03", 10);
  std::string error;
  const auto image = decode(data, error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbaAt(*image, 1, 0), 0x0C0B0AFFu);
  EXPECT_EQ(rgbaAt(*image, 0, 1), 0x010101FFu);
  EXPECT_EQ(rgbaAt(*image, 1, 1), 0x020202FFu);
  EXPECT_EQ(image->pixels.size(), 16u);
}

TEST(TgaReader, RefusedKinds) {
  std::string error;
  const std::string pixels(64, '\x55');
  EXPECT_FALSE(decode(header(3, 2, 2, 8, 0) + pixels, error));      // grey
  EXPECT_FALSE(decode(header(1, 2, 2, 8, 0, 1) + pixels, error));   // colour-mapped
  EXPECT_FALSE(decode(header(2, 2, 2, 24, 0, 1) + pixels, error));  // true colour with a map
  EXPECT_FALSE(decode(header(2, 2, 2, 16, 0) + pixels, error));     // 16 bits
  EXPECT_FALSE(decode(header(10, 2, 2, 15, 0) + pixels, error));
  EXPECT_FALSE(decode(header(2, 0, 2, 24, 0) + pixels, error));
  EXPECT_FALSE(decode(header(2, 2, 2, 24, 0).substr(0, 17), error));
  EXPECT_FALSE(decode(header(2, 2, 2, 32, 0) + pixels.substr(0, 15), error));             // short pixels
  EXPECT_FALSE(decode(header(10, 2, 2, 32, 0) + std::string("\xFF\x01\x02", 3), error));  // short packet
  EXPECT_FALSE(decode(header(2, 2, 2, 24, 0, 0, 200) + pixels, error));                   // short id field
}

TEST(TgaWriter, ThirtyTwoBitRoundTrip) {
  RgbaImage image = makeImage(2, 3, 32);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = static_cast<std::uint8_t>(i * 7 + 1);
  }
  for (TgaRowOrder rows : {TgaRowOrder::BottomRowFirst, TgaRowOrder::TopRowFirst}) {
    const std::string file = encodeTga32(image, rows);
    // Blue, green, red, alpha of the stored first pixel: the bottom-left one or the top-left one.
    const std::size_t first = rows == TgaRowOrder::TopRowFirst ? 0 : 16;
    EXPECT_EQ(
        file.substr(17, 5),
        (std::string{rows == TgaRowOrder::TopRowFirst ? '\x28' : '\x08',
                     static_cast<char>(image.pixels[first + 2]), static_cast<char>(image.pixels[first + 1]),
                     static_cast<char>(image.pixels[first]), static_cast<char>(image.pixels[first + 3])}));
    std::string error;
    const auto back = decode(file, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->pixels, image.pixels);
  }
}

}  // namespace
}  // namespace zv
