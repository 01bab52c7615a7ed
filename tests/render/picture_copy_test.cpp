#include "render/picture_copy.h"

#include <gtest/gtest.h>

#include "render/back_buffer_painting.h"
#include "render_fixture.h"

namespace zv::test {
namespace {

// A picture whose pixel (x, y) is B = x, G = y, R = 200, A = 255 - x - y: every pixel tells where
// it came from.
port::Picture coordinatePicture(int width, int height) {
  port::Picture picture{width, height,
                        std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = picture.row(y) + static_cast<std::size_t>(x) * 4;
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = 200;
      p[3] = static_cast<std::uint8_t>(255 - x - y);
    }
  }
  return picture;
}

// The back-buffer pixel as R, G, B, A.
std::array<int, 4> rgbaAt(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.at(x, y);
  return {p[0], p[1], p[2], p[3]};
}

class PictureCopyTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (context_) {
      ASSERT_TRUE(makeDevice(64, 48));
      clear(device_, {.colour = true, .depth = true}, 0x00FFFFFF, 1.0f, 0);
    }
  }

  // Every pixel inside `area` holds the picture's pixel at (x - at.x, y - at.y), every other one
  // the white clear.
  void expectCopiedInto(port::Rect area, port::Point at) {
    const RgbaImage drawn = readBackBuffer(device_);
    for (int y = 0; y < drawn.height; ++y) {
      for (int x = 0; x < drawn.width; ++x) {
        const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
        const int px = x - at.x;
        const int py = y - at.y;
        const std::array<int, 4> expected =
            inside ? std::array<int, 4>{200, py, px, 255 - px - py} : std::array<int, 4>{255, 255, 255, 0};
        ASSERT_EQ(rgbaAt(drawn, x, y), expected) << "at " << x << ", " << y;
      }
    }
  }
};

TEST_F(PictureCopyTest, ThePictureLandsPixelForPixelTopRowFirstWithItsAlpha) {
  copyPictureToBackBuffer(device_, coordinatePicture(20, 10), {5, 7});
  expectCopiedInto({5, 7, 25, 17}, {5, 7});
}

TEST_F(PictureCopyTest, WhatFallsOutsideTheBackBufferIsCut) {
  copyPictureToBackBuffer(device_, coordinatePicture(30, 20), {-10, -6});
  expectCopiedInto({0, 0, 20, 14}, {-10, -6});
  clear(device_, {.colour = true}, 0x00FFFFFF, 1.0f, 0);
  copyPictureToBackBuffer(device_, coordinatePicture(30, 20), {50, 40});
  expectCopiedInto({50, 40, 64, 48}, {50, 40});
}

TEST_F(PictureCopyTest, APictureWhollyOutsideOrShortOfPixelsChangesNothing) {
  copyPictureToBackBuffer(device_, coordinatePicture(8, 8), {64, 0});
  copyPictureToBackBuffer(device_, coordinatePicture(8, 8), {0, -8});
  port::Picture shortPicture = coordinatePicture(8, 8);
  shortPicture.pixels.resize(8 * 7 * 4);
  copyPictureToBackBuffer(device_, shortPicture, {0, 0});
  copyPictureToBackBuffer(device_, port::Picture{}, {0, 0});
  expectCopiedInto({}, {});
}

TEST_F(PictureCopyTest, PaintingDoneBeforeTheCopyLiesUnderItAndAfterItOnTop) {
  fillRect(device_, {0, 0, 64, 48}, {0, 0, 255, 255});
  copyPictureToBackBuffer(device_, coordinatePicture(10, 10), {0, 0});
  fillRect(device_, {0, 0, 2, 2}, {0, 255, 0, 255});
  const RgbaImage drawn = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(drawn, 1, 1), 0x00FF00u);
  EXPECT_EQ(pixelAt(drawn, 5, 3), 0xC80305u);
  EXPECT_EQ(pixelAt(drawn, 20, 20), 0x0000FFu);
}

}  // namespace
}  // namespace zv::test
