#include "render/capture_texture.h"

#include <GL/glcorearb.h>
#include <gtest/gtest.h>

#include <vector>

#include "render/back_buffer_painting.h"
#include "render_fixture.h"

namespace zv::test {
namespace {

// A picture of one B, G, R, A colour (B in the low byte).
port::Picture plainPicture(int width, int height, std::uint32_t bgra) {
  port::Picture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    for (int shift = 0; shift < 32; shift += 8) {
      picture.pixels.push_back(static_cast<std::uint8_t>(bgra >> shift));
    }
  }
  return picture;
}

class CaptureTextureTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (context_) {
      ASSERT_TRUE(makeDevice(64, 48));
      ASSERT_TRUE(createCaptureTexture(capture_));
    }
  }
  void TearDown() override {
    if (context_) {
      releaseCaptureTexture(capture_);
    }
    RenderTest::TearDown();
  }

  // The texture's R, G, B, A bytes, its row 0 (v = 0) first.
  std::vector<std::uint8_t> texturePixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kCaptureSize) * kCaptureSize * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, capture_.framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kCaptureSize, kCaptureSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }

  static std::uint32_t texel(const std::vector<std::uint8_t>& pixels, int x, int y) {
    const std::uint8_t* p = pixels.data() + (static_cast<std::size_t>(y) * kCaptureSize + x) * 4;
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
  }

  CaptureTexture capture_;
};

TEST_F(CaptureTextureTest, TheBackBufferRectangleFillsTheTextureTopRowFirst) {
  clear(device_, {.colour = true}, 0xFF0000FF, 1.0f, 0);
  fillRect(device_, {0, 0, 64, 24}, {255, 0, 0, 255});
  fillRect(device_, {32, 0, 64, 12}, {0, 255, 0, 255});
  captureBackBuffer(capture_, device_, {0, 0, 64, 48});
  std::vector<std::uint8_t> pixels = texturePixels();
  EXPECT_EQ(texel(pixels, 10, 10), 0xFF0000FFu);
  EXPECT_EQ(texel(pixels, 200, 40), 0x00FF00FFu);
  EXPECT_EQ(texel(pixels, 200, 100), 0xFF0000FFu);
  EXPECT_EQ(texel(pixels, 100, 200), 0x0000FFFFu);

  // Only the green quarter: it is stretched over the whole texture.
  captureBackBuffer(capture_, device_, {32, 0, 64, 12});
  pixels = texturePixels();
  for (const int at : {16, 128, 240}) {
    EXPECT_EQ(texel(pixels, at, at), 0x00FF00FFu) << at;
    EXPECT_EQ(texel(pixels, 255 - at, at), 0x00FF00FFu) << at;
  }
}

TEST_F(CaptureTextureTest, APictureIsStretchedByTheNearestPixelAndMadeOpaque) {
  // Four columns and two rows of B, G, R, A pixels, alpha 0 throughout.
  port::Picture picture = plainPicture(4, 2, 0x00000000u);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      std::uint8_t* p = picture.row(y) + x * 4;
      p[0] = static_cast<std::uint8_t>(10 * x);
      p[1] = static_cast<std::uint8_t>(100 + y);
      p[2] = 250;
    }
  }
  capturePicture(capture_, picture);
  const std::vector<std::uint8_t> pixels = texturePixels();
  for (int y : {0, 127, 128, 255}) {
    for (int x : {0, 63, 64, 191, 192, 255}) {
      const std::uint32_t expected = 250u << 24 | static_cast<std::uint32_t>(100 + y / 128) << 16 |
                                     static_cast<std::uint32_t>(10 * (x / 64)) << 8 | 0xFF;
      EXPECT_EQ(texel(pixels, x, y), expected) << x << ", " << y;
    }
  }
}

TEST_F(CaptureTextureTest, APictureShortOfItsPixelsOrAnEmptyCaptureChangesNothing) {
  capturePicture(capture_, plainPicture(8, 8, 0xFF00FF00u));
  port::Picture shortPicture = plainPicture(8, 8, 0xFFFF0000u);
  shortPicture.pixels.resize(8 * 4);
  capturePicture(capture_, shortPicture);
  capturePicture(capture_, port::Picture{});
  captureBackBuffer(capture_, device_, {10, 10, 10, 20});
  const std::vector<std::uint8_t> pixels = texturePixels();
  EXPECT_EQ(texel(pixels, 0, 0), 0x00FF00FFu);
  EXPECT_EQ(texel(pixels, 255, 255), 0x00FF00FFu);

  CaptureTexture none;
  capturePicture(none, plainPicture(8, 8, 0xFFFFFFFFu));
  captureBackBuffer(none, device_, {0, 0, 64, 48});
  EXPECT_EQ(none.texture, 0u);
  EXPECT_EQ(none.framebuffer, 0u);
}

}  // namespace
}  // namespace zv::test
