// The background image: loading with its fall-back and message, and composing it under the video.

#include <gtest/gtest.h>

#include <cstdlib>

#include "files/image/bmp_writer.h"
#include "media/background_image.h"
#include "media/background_video.h"
#include "port/video/avi_writer.h"
#include "support/temp_folder.h"
#include "support/told_messages.h"
#include "support/video_test_pictures.h"

namespace zv {
namespace {

using test::TempFolder;

// A bitmap of one colour, given as R, G, B.
std::string plainBmp(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  RgbaImage image = makeImage(width, height, 24);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = image.at(x, y);
      pixel[0] = r;
      pixel[1] = g;
      pixel[2] = b;
      pixel[3] = 255;
    }
  }
  return encodeBmp24(image);
}

class BackgroundImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene.exeDirectory = folder.path();
    resizeBackgrounds(backgrounds, 40, 30, 1.0f);
    std::filesystem::create_directories(folder / "UserFile" / "BackGround");
    test::writeFile(folder / "UserFile" / "BackGround" / "sky.bmp", plainBmp(20, 10, 10, 20, 30));
  }

  // The loader as a command runs it, keeping what it tells in `ui`.
  bool loadImage(Scene& into, Backgrounds& surfaces, const std::filesystem::path& path) {
    return ui.kept(zv::loadImage(into, surfaces, path)).done;
  }

  TempFolder folder;
  test::ToldMessages ui;
  Scene scene;
  Backgrounds backgrounds;
};

TEST_F(BackgroundImageTest, TheDemoImageLoadsFittedToTheWidth) {
  resizeBackgrounds(backgrounds, 192, 108, 1.0f);
  const std::filesystem::path demo =
      std::filesystem::path(std::getenv("ZV_SOURCE_DIR")) / "UserFile" / "BackGround" / "demo_background.bmp";
  ASSERT_TRUE(loadImage(scene, backgrounds, demo));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(scene.backgroundImageShown);
  EXPECT_EQ(backgrounds.image.placement.zoom, 1.0f);
  EXPECT_EQ(backgrounds.image.placement.offsetY, 0);
  // One pixel per pixel: the surface is the bitmap itself.
  EXPECT_TRUE(backgrounds.imageSurface.pixels == backgrounds.image.bitmap.pixels);
}

TEST_F(BackgroundImageTest, TheImageIsStretchedOntoWhiteInBgrOrder) {
  ASSERT_TRUE(loadImage(scene, backgrounds, folder / "UserFile" / "BackGround" / "sky.bmp"));
  // 20 x 10 at zoom 2 covers 40 x 20, centred: rows 5 .. 24.
  EXPECT_EQ(backgrounds.image.placement.zoom, 2.0f);
  EXPECT_EQ(backgrounds.image.placement.offsetY, 5);
  const std::uint8_t* inside = backgrounds.imageSurface.row(10) + 4 * 7;
  EXPECT_EQ(inside[0], 30);
  EXPECT_EQ(inside[1], 20);
  EXPECT_EQ(inside[2], 10);
  EXPECT_EQ(backgrounds.imageSurface.row(2)[0], 255);
  EXPECT_EQ(backgrounds.imageSurface.row(27)[2], 255);
}

TEST_F(BackgroundImageTest, AMovedImageIsFoundButABareNameIsNot) {
  ASSERT_TRUE(loadImage(scene, backgrounds, "/no/such/folder/sky.bmp"));
  EXPECT_EQ(backgrounds.image.path, folder / "UserFile" / "BackGround" / "sky.bmp");

  test::writeFile(folder / "broken.bmp", "BM not really");
  for (const std::filesystem::path& failing : {std::filesystem::path("sky.bmp"), folder / "broken.bmp"}) {
    ui.messages.clear();
    EXPECT_FALSE(loadImage(scene, backgrounds, failing)) << failing;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kImageUnreadableMessage);
    EXPECT_EQ(ui.messages[0].caption, kImageCaption);
    EXPECT_TRUE(ui.messages[0].standalone);
    EXPECT_FALSE(imageLoaded(backgrounds));
    EXPECT_TRUE(backgrounds.image.path.empty());
    EXPECT_FALSE(scene.backgroundImageShown);
    ASSERT_TRUE(loadImage(scene, backgrounds, folder / "UserFile" / "BackGround" / "sky.bmp"));
  }
}

TEST_F(BackgroundImageTest, ComposingTheImageLaysTheShownVideoOverIt) {
  port::AviWriteError error = port::AviWriteError::None;
  auto writer = port::AviWriter::create({folder / "clip.avi", 20, 30, 30, 1, {}, std::nullopt}, error);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(writer->writeFrame(port::makePicture(20, 30, 0xffff0000)), port::AviWriteError::None);
  ASSERT_EQ(writer->finish(), port::AviWriteError::None);
  ASSERT_TRUE(loadVideo(scene, backgrounds, folder / "clip.avi"));
  backgrounds.video.placement = {20, 0, 1.0f};  // the right half, red

  ASSERT_TRUE(loadImage(scene, backgrounds, folder / "UserFile" / "BackGround" / "sky.bmp"));
  const std::uint8_t* left = backgrounds.videoSurface.row(10) + 4 * 5;
  const std::uint8_t* right = backgrounds.videoSurface.row(10) + 4 * 25;
  EXPECT_EQ(left[0], 30);  // the image
  EXPECT_EQ(left[2], 10);
  EXPECT_EQ(right[0], 0);  // the video
  EXPECT_EQ(right[2], 255);
  EXPECT_EQ(backgrounds.videoSurface.row(2)[4 * 5], 255);  // neither: white
}

}  // namespace
}  // namespace zv
