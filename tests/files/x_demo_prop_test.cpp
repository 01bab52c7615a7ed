#include <gtest/gtest.h>

#include <cstdlib>

#include "files/x/x_accessory_import.h"

namespace zv {
namespace {

std::filesystem::path sourceRoot() {
  const char* root = std::getenv("ZV_SOURCE_DIR");
  return root != nullptr ? root : ".";
}

TEST(DemoProp, BothFormatsAndTheDescriptorLoad) {
  std::filesystem::path folder = sourceRoot() / "UserFile" / "Accessory";
  AccessoryImportResult text = importAccessory(folder / "lamp.x", sourceRoot());
  AccessoryImportResult binary = importAccessory(folder / "lamp_binary.x", sourceRoot());
  AccessoryImportResult descriptor = importAccessory(folder / "lamp.vac", sourceRoot());
  ASSERT_TRUE(text.accessory) << text.failure;
  ASSERT_TRUE(binary.accessory) << binary.failure;
  ASSERT_TRUE(descriptor.accessory) << descriptor.failure;
  EXPECT_TRUE(text.messages.empty());

  const XFrameNode& tree = text.accessory->tree;
  EXPECT_EQ(tree, binary.accessory->tree);
  EXPECT_EQ(tree, descriptor.accessory->tree);
  ASSERT_EQ(tree.children.size(), 1u);
  const XFrameNode& lamp = tree.children[0];
  ASSERT_EQ(lamp.children.size(), 3u);
  const XFrameNode& base = lamp.children[0].children.at(0);
  const XFrameNode& shade = lamp.children[2].children.at(0);
  EXPECT_EQ(base.materials.at(0).textureName, "lamp_wood.tga");
  EXPECT_TRUE(std::filesystem::exists(folder / base.materials[0].textureName));
  EXPECT_FALSE(base.translucent);
  EXPECT_TRUE(shade.translucent);
  EXPECT_EQ(shade.materials.size(), 2u);
  for (const XVertex& vertex : shade.vertices) {
    EXPECT_NEAR(length(vertex.normal), 1.0f, 1e-5f);
  }

  EXPECT_EQ(descriptor.accessory->name, "lamp.x");
  ASSERT_TRUE(descriptor.accessory->descriptor);
  EXPECT_TRUE(descriptor.accessory->descriptor->shadow);
  EXPECT_EQ(descriptor.accessory->descriptor->position, (Vec3{8, 0, 2}));
}

}  // namespace
}  // namespace zv
