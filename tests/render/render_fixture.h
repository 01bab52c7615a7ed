// A display device on a headless GL context, and comparison of what it drew with the reference
// pictures in tests/data. Set ZV_BLESS_REFERENCES=1 to rewrite the references from the current
// drawing (look at every one before committing it).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "port/gl/headless_gl_context.h"
#include "render/display_device.h"
#include "ui_with_controls.h"

namespace zv::test {

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the device for a screen of width x height; false when there is no GL context.
  bool makeDevice(int width, int height);
  // Fails the test when the back buffer differs from the reference by more than `tolerance` in
  // any channel of any pixel; writes the drawing beside the build's tests for inspection.
  void expectMatchesReference(const std::string& name, int tolerance = 3);

  std::unique_ptr<port::HeadlessGlContext> context_;
  test::UiWithControls ui_;
  DisplayDevice device_;
};

// Colour of one back-buffer pixel (row 0 at the top) as 0xRRGGBB.
std::uint32_t pixelAt(const RgbaImage& image, int x, int y);

}  // namespace zv::test
