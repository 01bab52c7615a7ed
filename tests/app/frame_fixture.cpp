#include "frame_fixture.h"

#include <algorithm>
#include <cstdlib>

#include "port/canvas/canvas.h"
#include "render/model_resources.h"
#include "scene/document/model_reader.h"

namespace zv::test {

void FrameStepTest::SetUp() {
  std::string error;
  context_ = port::HeadlessGlContext::create(error);
  if (!context_) {
    GTEST_SKIP() << "no headless GL context: " << error;
  }
  scene_.exeDirectory = std::filesystem::current_path();
  ui_.client = {0, 0, 1280, 720};
  ASSERT_TRUE(createFrameSystems(*systems_, scene_, ui_, kScreen, nullptr, scene_.exeDirectory));
  layoutView(scene_, *systems_);
}

void FrameStepTest::TearDown() {
  if (context_) {
    releaseFrameSystems(*systems_, scene_);
  }
}

Model& FrameStepTest::loadDemoCharacter() {
  auto model = std::make_unique<Model>();
  std::filesystem::path file = "UserFile/Model/tessera.tsm";
  EXPECT_FALSE(readModelFile(file, scene_.exeDirectory, *model));
  EXPECT_FALSE(createModelResources(*model, systems_->device, systems_->textures));
  model->visible = true;
  scene_.modelSlots[0] = std::move(model);
  scene_.currentModel = 0;
  return *scene_.modelSlots[0];
}

std::uint32_t pixelAt(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.at(x, y);
  return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

void FrameStepTest::expectMatchesReference(const std::string& name, int tolerance) {
  RgbaImage drawn = readBackBuffer(systems_->device);
  for (std::size_t i = 3; i < drawn.pixels.size(); i += 4) {
    drawn.pixels[i] = 255;
  }
  const port::Canvas picture(drawn.width, drawn.height, drawn.pixels);
  const std::filesystem::path reference = std::filesystem::path(ZV_TEST_DATA_DIR) / (name + ".png");
  const char* bless = std::getenv("ZV_BLESS_REFERENCES");
  if (bless && std::string(bless) == "1") {
    ASSERT_TRUE(picture.writePng(reference));
    return;
  }
  picture.writePng(std::filesystem::current_path() / (name + ".actual.png"));
  port::Canvas expected(0, 0);
  ASSERT_TRUE(port::Canvas::readPng(reference, expected)) << "missing reference " << name;
  ASSERT_EQ(expected.width(), drawn.width);
  ASSERT_EQ(expected.height(), drawn.height);
  int worst = 0;
  port::Point worstAt;
  for (int y = 0; y < drawn.height; ++y) {
    for (int x = 0; x < drawn.width; ++x) {
      const port::Colour want = expected.pixel(x, y);
      const std::uint8_t* got = drawn.at(x, y);
      const int difference =
          std::max({std::abs(want.r - got[0]), std::abs(want.g - got[1]), std::abs(want.b - got[2])});
      if (difference > worst) {
        worst = difference;
        worstAt = {x, y};
      }
    }
  }
  EXPECT_LE(worst, tolerance) << name << " differs most at (" << worstAt.x << ", " << worstAt.y << ")";
}

}  // namespace zv::test
