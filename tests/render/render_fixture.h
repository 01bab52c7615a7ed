// A display device on a headless GL context, and comparison of what it drew with the reference
// pictures in tests/data. Set ZV_BLESS_REFERENCES=1 to rewrite the references from the current
// drawing (look at every one before committing it).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "port/gl/headless_gl_context.h"
#include "render/display_device.h"
#include "render/texture_store.h"
#include "render/x_build.h"
#include "support/told_messages.h"

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

  // The loaders as the program runs them, keeping what they tell in `ui_`.
  bool createDevice(DisplayDevice& device, port::Size screen, const DeviceSetCheck& check = {}) {
    return ui_.kept(zv::createDevice(device, screen, check)).done;
  }
  bool loadAccessory(XBuild& accessory, AccessoryState& placement, DisplayDevice& device, TextureStore& store,
                     const std::filesystem::path& path, const std::filesystem::path& programFolder) {
    return ui_.kept(zv::loadAccessory(accessory, placement, device, store, path, programFolder)).done;
  }

  std::unique_ptr<port::HeadlessGlContext> context_;
  ToldMessages ui_;
  DisplayDevice device_;
};

// Colour of one back-buffer pixel (row 0 at the top) as 0xRRGGBB.
std::uint32_t pixelAt(const RgbaImage& image, int x, int y);

}  // namespace zv::test
