#include <gtest/gtest.h>

#include "files/image/bmp_reader.h"
#include "files/image/bmp_writer.h"
#include "files/image/tga_reader.h"
#include "files/image/tga_writer.h"
#include "render/texture_store.h"
#include "render_fixture.h"
#include "support/temp_folder.h"

namespace zv::test {
namespace {

RgbaImage solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  RgbaImage image = makeImage(width, height, 24);
  for (int i = 0; i < width * height; ++i) {
    image.pixels[i * 4] = r;
    image.pixels[i * 4 + 1] = g;
    image.pixels[i * 4 + 2] = b;
    image.pixels[i * 4 + 3] = 255;
  }
  return image;
}

TEST(TextureStore, NamesCompareWithoutCaseAndKeepTheirFullLength) {
  TempFolder folder;
  writeFile(folder / "face.bmp", encodeBmp24(solid(4, 2, 1, 2, 3)));
  TextureStore store;
  ASSERT_TRUE(registerTexture(store, "face.bmp", folder.path()));
  ASSERT_TRUE(registerTexture(store, "Face.BMP", folder.path()));
  ASSERT_EQ(store.entries.size(), 1u);
  const TextureEntry& entry = store.entries.front();
  EXPECT_EQ(entry.name, "face.bmp");
  EXPECT_EQ(entry.width, 4u);
  EXPECT_EQ(entry.height, 2u);
  EXPECT_EQ(entry.bitsPerPixel, 24u);
  EXPECT_FALSE(entry.hasAlpha);
  EXPECT_NE(findEntry(store, "FACE.bmp"), nullptr);

  const std::string longName = std::string(90, 'a') + ".bmp";
  writeFile(folder / longName, encodeBmp24(solid(1, 1, 0, 0, 0)));
  ASSERT_TRUE(registerTexture(store, longName, folder.path()));
  ASSERT_TRUE(registerTexture(store, longName, folder.path()));
  EXPECT_EQ(store.entries.size(), 2u);
  EXPECT_EQ(store.entries.front().name, longName);

  // Trail bytes of double-byte names are not folded: 0x83 0x41 and 0x83 0x61 are different letters.
  EXPECT_FALSE(sameTextureName("\x83\x41.bmp", "\x83\x61.bmp"));
  EXPECT_TRUE(sameTextureName("\x83\x41X.bmp", "\x83\x41x.BMP"));
}

TEST(TextureStore, FailedRegistrationLeavesNoEntry) {
  TempFolder folder;
  writeFile(folder / "notes.txt", "text");
  writeFile(folder / "broken.tga", std::string(10, '\0'));
  writeFile(folder / "grey.tga", std::string("\0\0\3", 3) + std::string(15, '\0'));
  TextureStore store;
  EXPECT_FALSE(registerTexture(store, "missing.bmp", folder.path()));
  EXPECT_FALSE(registerTexture(store, "notes.txt", folder.path()));
  EXPECT_FALSE(registerTexture(store, "broken.tga", folder.path()));
  EXPECT_FALSE(registerTexture(store, "grey.tga", folder.path()));
  EXPECT_TRUE(store.entries.empty());
  EXPECT_EQ(mediaFolder(), "");
}

TEST(TextureStore, SurfaceSizesFollowTheDeviceLimits) {
  EXPECT_EQ(textureSurfaceSize(300, 200, {true, false, 0, 0}).width, 256);
  EXPECT_EQ(textureSurfaceSize(300, 200, {true, false, 0, 0}).height, 256);
  EXPECT_EQ(textureSurfaceSize(300, 200, {true, false, 1024, 1024}).width, 512);
  EXPECT_EQ(textureSurfaceSize(300, 200, {true, false, 1024, 1024}).height, 256);
  EXPECT_EQ(textureSurfaceSize(300, 200, {false, true, 1024, 1024}).height, 300);
  EXPECT_EQ(textureSurfaceSize(300, 200, {false, false, 4096, 4096}).width, 300);
  EXPECT_EQ(textureSurfaceSize(1, 1, {true, true, 0, 0}).width, 1);
}

class TextureStoreDevice : public RenderTest {};

TEST_F(TextureStoreDevice, SurfacesHonourEmulatedLimitsAndTheSameNameInTwoFolders) {
  ASSERT_TRUE(makeDevice(16, 16));
  TempFolder first;
  TempFolder second;
  std::filesystem::create_directories(first / "tex");
  std::filesystem::create_directories(second / "tex");
  writeFile(first / "tex" / "skin.bmp", encodeBmp24(solid(300, 200, 255, 0, 0)));
  writeFile(second / "tex" / "skin.bmp", encodeBmp24(solid(2, 2, 0, 0, 255)));
  TextureStore store;
  store.emulatedLimits = TextureLimits{true, false, 0, 0};
  ASSERT_TRUE(registerTexture(store, "tex\\skin.bmp", first.path()));
  ASSERT_TRUE(registerTexture(store, "tex\\skin.bmp", second.path()));
  ASSERT_EQ(store.entries.size(), 2u);
  createSurfaces(store, device_);
  const DeviceTexture large = findTexture(store, "tex\\skin.bmp", first.path());
  const DeviceTexture small = findTexture(store, "TEX\\Skin.bmp", second.path());
  EXPECT_NE(large.name, 0u);
  EXPECT_NE(small.name, large.name);
  EXPECT_EQ(large.width, 256);
  EXPECT_EQ(large.height, 256);
  EXPECT_EQ(small.width, 2);
  EXPECT_EQ(findTexture(store, "tex\\skin.bmp").name, small.name);  // the newest entry

  removeTexture(store, "tex\\skin.bmp");
  EXPECT_TRUE(store.entries.empty());
  EXPECT_EQ(findTexture(store, "tex\\skin.bmp").name, 0u);
}

// The committed data files are ours and have the sizes the drawing code cuts them by.
TEST(DataFiles, GeneratedFilesHaveTheirLayouts) {
  const std::filesystem::path data =
      std::filesystem::path(ZV_TEST_DATA_DIR).parent_path().parent_path() / "Data";
  std::string error;
  const auto bmp = [&](const char* name) {
    auto image = readBmpFile(data / name, error);
    EXPECT_TRUE(image) << name << ": " << error;
    return image.value_or(RgbaImage{});
  };
  const RgbaImage bone = bmp("bone.bmp");
  EXPECT_EQ(bone.width, 272);
  EXPECT_EQ(bone.height, 16);
  const RgbaImage scale = bmp("scale.bmp");
  EXPECT_EQ(scale.width, 54);
  EXPECT_EQ(scale.height, 25);
  for (const char* strip : {"roll.bmp", "move.bmp"}) {
    const RgbaImage image = bmp(strip);
    EXPECT_GE(image.width, 119);
    EXPECT_EQ(image.height, 120);
  }
  for (const char* name : {"toon.bmp", "toon2.bmp", "toon3.bmp", "toon4.bmp", "toon5.bmp", "toon6.bmp",
                           "toon7.bmp", "toon8.bmp", "toon9.bmp", "toon10.bmp"}) {
    const RgbaImage ramp = bmp(name);
    ASSERT_GT(ramp.height, 1) << name;
    const std::uint8_t* top = ramp.at(0, 0);
    const std::uint8_t* bottom = ramp.at(0, ramp.height - 1);
    EXPECT_GT(top[0] + top[1] + top[2], bottom[0] + bottom[1] + bottom[2]) << name << ": lit rows are on top";
  }
  for (const char* name : {"roll.tga", "move.tga"}) {
    const auto atlas = readTgaFile(data / name, error);
    ASSERT_TRUE(atlas) << name << ": " << error;
    EXPECT_EQ(atlas->width, atlas->height);
    EXPECT_EQ(atlas->at(0, 0)[3], 0) << name << ": corners are transparent";
  }
}

}  // namespace
}  // namespace zv::test
