// The frame step on a headless GL context: a scene reporting to a HeadlessUi, the frame systems
// made as window creation makes them (no view surface), and comparison of the back buffer with
// reference pictures in tests/data (ZV_BLESS_REFERENCES=1 rewrites them; look at each one).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/frame_systems.h"
#include "port/gl/headless_gl_context.h"
#include "scene/document/scene.h"
#include "ui_with_controls.h"

namespace zv::test {

class FrameStepTest : public ::testing::Test {
 protected:
  // The back buffer is screen-sized: 512 x 384, the output's own aspect, overlay scale 1.
  static constexpr port::Size kScreen{512, 384};

  void SetUp() override;
  void TearDown() override;

  // Reads the demo character into slot 0 with its device buffers and makes it the current model.
  Model& loadDemoCharacter();
  void expectMatchesReference(const std::string& name, int tolerance = 3);

  std::unique_ptr<port::HeadlessGlContext> context_;
  test::UiWithControls ui_;
  Scene scene_;
  std::unique_ptr<FrameSystems> systems_ = std::make_unique<FrameSystems>();
};

// Colour of one pixel (row 0 at the top) as 0xRRGGBB.
std::uint32_t pixelAt(const RgbaImage& image, int x, int y);

}  // namespace zv::test
