#include "render_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "port/canvas/canvas.h"

namespace zv::test {
namespace {

std::filesystem::path referenceFile(const std::string& name) {
  return std::filesystem::path(ZV_TEST_DATA_DIR) / (name + ".png");
}

}  // namespace

void RenderTest::SetUp() {
  std::string error;
  context_ = port::HeadlessGlContext::create(error);
  if (!context_) {
    GTEST_SKIP() << "no headless GL context: " << error;
  }
}

void RenderTest::TearDown() {
  if (context_) {
    releaseDevice(device_);
  }
}

bool RenderTest::makeDevice(int width, int height) {
  return context_ && createDevice(device_, {width, height});
}

std::uint32_t pixelAt(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.at(x, y);
  return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

void RenderTest::expectMatchesReference(const std::string& name, int tolerance) {
  RgbaImage drawn = readBackBuffer(device_);
  for (std::size_t i = 3; i < drawn.pixels.size(); i += 4) {
    drawn.pixels[i] = 255;
  }
  const port::Canvas picture(drawn.width, drawn.height, drawn.pixels);
  const char* bless = std::getenv("ZV_BLESS_REFERENCES");
  if (bless && std::string(bless) == "1") {
    ASSERT_TRUE(picture.writePng(referenceFile(name)));
    return;
  }
  picture.writePng(std::filesystem::current_path() / (name + ".actual.png"));
  port::Canvas reference(0, 0);
  ASSERT_TRUE(port::Canvas::readPng(referenceFile(name), reference)) << "missing reference " << name;
  ASSERT_EQ(reference.width(), drawn.width);
  ASSERT_EQ(reference.height(), drawn.height);
  int worst = 0;
  int worstX = 0;
  int worstY = 0;
  for (int y = 0; y < drawn.height; ++y) {
    for (int x = 0; x < drawn.width; ++x) {
      const port::Colour want = reference.pixel(x, y);
      const std::uint8_t* got = drawn.at(x, y);
      const int difference =
          std::max({std::abs(want.r - got[0]), std::abs(want.g - got[1]), std::abs(want.b - got[2])});
      if (difference > worst) {
        worst = difference;
        worstX = x;
        worstY = y;
      }
    }
  }
  EXPECT_LE(worst, tolerance) << name << " differs most at (" << worstX << ", " << worstY << ")";
}

}  // namespace zv::test
