#include "render/x_build.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render_fixture.h"

namespace zv::test {
namespace {

using XBuildDrawing = RenderTest;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// Looks at the lamp standing at the origin from the front, its base low in the picture and its
// shade high.
void lookAtLamp(DisplayDevice& device) {
  ASSERT_TRUE(lookAt(device.state.view, {0, 8, -30}, {0, 8, 0}, {0, 1, 0}));
  ASSERT_TRUE(perspective(device.state.projection, 45.0f * 3.14159265f / 180, 1, 1, 100));
  device.state.world = Mat4{};
}

TEST_F(XBuildDrawing, LoadsTheDemoLampThroughItsDescriptor) {
  ASSERT_TRUE(makeDevice(64, 64));
  TextureStore store;
  XBuild lamp;
  AccessoryState placed;
  ASSERT_TRUE(loadAccessory(lamp, placed, device_, store, "UserFile/Accessory/lamp.vac",
                            std::filesystem::current_path()));
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_TRUE(lamp.tree);
  EXPECT_EQ(lamp.name, "lamp.x");
  EXPECT_TRUE(placed.shadow);
  EXPECT_EQ(placed.position, (Vec3{8, 0, 2}));
  const XFileObject& base = lamp.tree->children.at(0).children.at(0).children.at(0);
  EXPECT_TRUE(base.isMesh);
  EXPECT_EQ(base.vertexBuffer.count, 48);
  EXPECT_NE(findTexture(store, "lamp_wood.tga", base.textureFolder).name, 0u);
}

TEST_F(XBuildDrawing, MissingFileShowsItsMessageAndLeavesNoTree) {
  ASSERT_TRUE(makeDevice(16, 16));
  TextureStore store;
  XBuild prop;
  AccessoryState placed;
  placed.scale = 4;
  EXPECT_FALSE(
      loadAccessory(prop, placed, device_, store, "nowhere/none.x", std::filesystem::current_path()));
  EXPECT_FALSE(prop.tree);
  EXPECT_EQ(placed.scale, 4);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "xファイルが見つかりません");
  EXPECT_EQ(ui_.messages[0].caption, "アクセサリ読込");
}

TEST_F(XBuildDrawing, BothPassesDrawAndRestoreTheDeviceState) {
  ASSERT_TRUE(makeDevice(64, 64));
  TextureStore store;
  XBuild lamp;
  AccessoryState state;
  ASSERT_TRUE(loadAccessory(lamp, state, device_, store, "UserFile/Accessory/lamp.x",
                            std::filesystem::current_path()));
  lookAtLamp(device_);
  const DeviceState before = device_.state;

  for (bool shadow : {false, true}) {
    clear(device_, {true, true, false}, kWhite, 1.0f, 0);
    AccessoryDrawPass pass;
    pass.shadow = shadow;
    pass.shadowRed = 0.5f;
    drawAccessory(lamp, state, device_, store, pass);

    RgbaImage picture = readBackBuffer(device_);
    EXPECT_NE(pixelAt(picture, 32, 53), 0xFFFFFFu) << "the base, shadow pass " << shadow;
    EXPECT_NE(pixelAt(picture, 32, 12), 0xFFFFFFu) << "the translucent shade, shadow pass " << shadow;
    EXPECT_EQ(pixelAt(picture, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(device_.state.world, before.world);
    EXPECT_EQ(device_.state.material, before.material);
    EXPECT_EQ(device_.state.stages[0].texture, before.stages[0].texture);
    EXPECT_EQ(device_.state.alphaBlend, before.alphaBlend);
    EXPECT_EQ(device_.state.sourceBlend, before.sourceBlend);
    EXPECT_EQ(device_.state.destinationBlend, before.destinationBlend);
  }

  state.visible = false;
  clear(device_, {true, true, false}, kWhite, 1.0f, 0);
  drawAccessory(lamp, state, device_, store, AccessoryDrawPass{});
  EXPECT_EQ(pixelAt(readBackBuffer(device_), 32, 53), 0xFFFFFFu) << "a hidden prop draws nothing";
}

}  // namespace
}  // namespace zv::test
