#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/image/bmp_reader.h"
#include "files/image/bmp_writer.h"

namespace zv {
namespace {

void putU16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8 & 0xFF));
}
void putU32(std::string& out, std::uint32_t v) {
  putU16(out, v & 0xFFFF);
  putU16(out, v >> 16);
}

// A bitmap file with a 40-byte header, `palette` (b, g, r, 0 entries) and `pixels` as stored.
std::string bitmapFile(int width, int height, int bits, std::uint32_t compression,
                       const std::vector<std::uint32_t>& palette, const std::string& pixels) {
  std::string out = "BM";
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;
  putU32(out, offset + static_cast<std::uint32_t>(pixels.size()));
  putU32(out, 0);
  putU32(out, offset);
  putU32(out, 40);
  putU32(out, static_cast<std::uint32_t>(width));
  putU32(out, static_cast<std::uint32_t>(height));
  putU16(out, 1);
  putU16(out, static_cast<std::uint32_t>(bits));
  putU32(out, compression);
  putU32(out, static_cast<std::uint32_t>(pixels.size()));
  putU32(out, 0);
  putU32(out, 0);
  putU32(out, static_cast<std::uint32_t>(palette.size()));
  putU32(out, 0);
  for (std::uint32_t entry : palette) {
    putU32(out, entry);
  }
  return out + pixels;
}

std::optional<RgbaImage> decode(const std::string& bytes, std::string& error) {
  return decodeBmp(std::as_bytes(std::span(bytes)), error);
}

std::uint32_t rgbAt(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.at(x, y);
  return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

const std::vector<std::uint32_t> kPalette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};  // as 0x00RRGGBB

TEST(BmpReader, IndexedDepthsDecodeBottomUpWithPalette) {
  std::string error;
  // 1 bit: 3 x 2, rows padded to 4 bytes; bottom row first.
  const std::string oneBit = std::string("\x40\0\0\0", 4) + std::string("\xA0\0\0\0", 4);
  auto image = decode(bitmapFile(3, 2, 1, 0, {0x000000, 0xFFFFFF}, oneBit), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbAt(*image, 0, 0), 0xFFFFFFu);  // top row is the second stored row: 101
  EXPECT_EQ(rgbAt(*image, 1, 0), 0u);
  EXPECT_EQ(rgbAt(*image, 2, 0), 0xFFFFFFu);
  EXPECT_EQ(rgbAt(*image, 1, 1), 0xFFFFFFu);  // bottom row: 010
  EXPECT_EQ(image->bitsPerPixel, 1);
  EXPECT_EQ(image->at(0, 0)[3], 255);

  image = decode(bitmapFile(3, 1, 4, 0, kPalette, std::string("\x12\x30\0\0", 4)), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbAt(*image, 0, 0), 0xFF0000u);
  EXPECT_EQ(rgbAt(*image, 1, 0), 0x00FF00u);
  EXPECT_EQ(rgbAt(*image, 2, 0), 0x0000FFu);

  // An index past the palette shows black.
  image = decode(bitmapFile(2, 1, 8, 0, kPalette, std::string("\x03\x09\0\0", 4)), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbAt(*image, 0, 0), 0x0000FFu);
  EXPECT_EQ(rgbAt(*image, 1, 0), 0u);
}

TEST(BmpReader, TrueColourAndTopDown) {
  std::string error;
  // 24 bit, 1 x 2, top-down (negative height): blue, green, red bytes.
  const std::string rows = std::string("\x01\x02\x03\0", 4) + std::string("\x04\x05\x06\0", 4);
  auto image = decode(bitmapFile(1, -2, 24, 0, {}, rows), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbAt(*image, 0, 0), 0x030201u);
  EXPECT_EQ(rgbAt(*image, 0, 1), 0x060504u);

  image = decode(bitmapFile(1, 1, 32, 0, {}, std::string("\x10\x20\x30\x40", 4)), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbAt(*image, 0, 0), 0x302010u);
  EXPECT_EQ(image->at(0, 0)[3], 255);
  EXPECT_FALSE(image->hasAlpha);
}

TEST(BmpReader, RunLengthEightBit) {
  std::string error;
  // 4 x 2: bottom row a run of 3 x index 1 and a run of 1 x index 2, end of line; top row an
  // absolute group of 3 pixels 3, 2, 1 (padded to a word), end of bitmap.
  const std::string data = std::string("\x03\x01\x01\x02\x00\x00", 6) +
                           std::string("\x00\x03\x03\x02\x01\x00", 6) + std::string("\x00\x01", 2);
  auto image = decode(bitmapFile(4, 2, 8, 1, kPalette, data), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(rgbAt(*image, 0, 1), 0xFF0000u);
  EXPECT_EQ(rgbAt(*image, 2, 1), 0xFF0000u);
  EXPECT_EQ(rgbAt(*image, 3, 1), 0x00FF00u);
  EXPECT_EQ(rgbAt(*image, 0, 0), 0x0000FFu);
  EXPECT_EQ(rgbAt(*image, 1, 0), 0x00FF00u);
  EXPECT_EQ(rgbAt(*image, 2, 0), 0xFF0000u);
  EXPECT_EQ(rgbAt(*image, 3, 0), 0u);  // never written: palette entry 0
}

TEST(BmpReader, PixelsTheRunsSkipShowPaletteEntryZero) {
  std::string error;
  // 3 x 3: a delta of one right and one up, one pixel of index 1, end of bitmap.
  const std::string data = std::string("\x00\x02\x01\x01\x01\x01\x00\x01", 8);
  auto image = decode(bitmapFile(3, 3, 8, 1, {0x123456, 0xFF0000}, data), error);
  ASSERT_TRUE(image) << error;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      const bool painted = x == 1 && y == 1;
      EXPECT_EQ(rgbAt(*image, x, y), painted ? 0xFF0000u : 0x123456u) << x << "," << y;
      EXPECT_EQ(image->at(x, y)[3], 255);
    }
  }
}

TEST(BmpReader, HostileFilesAreRefused) {
  std::string error;
  const std::string good = bitmapFile(2, 2, 24, 0, {}, std::string(16, '\x7F'));
  ASSERT_TRUE(decode(good, error));
  for (std::size_t cut : {0u, 10u, 30u, 53u, 60u}) {
    EXPECT_FALSE(decode(good.substr(0, cut), error)) << cut;
  }
  EXPECT_FALSE(decode("BX" + good.substr(2), error));
  EXPECT_FALSE(decode(bitmapFile(2, 2, 16, 0, {}, std::string(16, '\0')), error));  // 16 bits
  EXPECT_FALSE(decode(bitmapFile(2, 2, 24, 4, {}, std::string(16, '\0')), error));  // JPEG inside
  EXPECT_FALSE(decode(bitmapFile(0, 2, 24, 0, {}, std::string(16, '\0')), error));
  EXPECT_FALSE(decode(bitmapFile(100000, 100000, 24, 0, {}, std::string(16, '\0')), error));
  EXPECT_FALSE(decode(bitmapFile(2, -2, 8, 1, kPalette, std::string("\0\1", 2)), error));  // top-down RLE
  // Run-length data that ends early, and runs that reach past the picture, stay inside it.
  EXPECT_FALSE(decode(bitmapFile(4, 2, 8, 1, kPalette, std::string("\x03\x01", 2)), error));
  const std::string overlong = std::string("\xFF\x01\x00\x02\xFF\xFF\x00\x01", 8);
  EXPECT_TRUE(decode(bitmapFile(4, 2, 8, 1, kPalette, overlong), error)) << error;
}

TEST(BmpWriter, TwentyFourBitRoundTrip) {
  RgbaImage image = makeImage(3, 2, 24);
  for (int i = 0; i < 6; ++i) {
    image.pixels[i * 4] = static_cast<std::uint8_t>(i * 40);
    image.pixels[i * 4 + 1] = static_cast<std::uint8_t>(255 - i);
    image.pixels[i * 4 + 2] = static_cast<std::uint8_t>(i);
    image.pixels[i * 4 + 3] = 255;
  }
  const std::string file = encodeBmp24(image);
  EXPECT_EQ(file.size(), 54u + 2 * 12);
  std::string error;
  const auto back = decode(file, error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(back->pixels, image.pixels);
  EXPECT_EQ(back->bitsPerPixel, 24);
}

}  // namespace
}  // namespace zv
