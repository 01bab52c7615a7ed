// The background video: loading with its fall-back and messages, the frame each mode shows, and
// composing it over white or over the image.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "media/background_video.h"
#include "port/video/avi_writer.h"
#include "support/temp_folder.h"
#include "support/told_messages.h"
#include "support/video_test_pictures.h"

namespace zv {
namespace {

using port::Picture;
using test::TempFolder;

constexpr int kWidth = 32;
constexpr int kHeight = 24;

std::vector<Picture> noiseFrames(int count) {
  std::vector<Picture> frames;
  for (int index = 0; index < count; ++index) {
    frames.push_back(test::noisePicture(kWidth, kHeight, index));
  }
  return frames;
}

void writeVideo(const std::filesystem::path& file, const std::vector<Picture>& frames, int rate) {
  port::AviWriteError error = port::AviWriteError::None;
  auto writer =
      port::AviWriter::create({file, frames[0].width, frames[0].height, rate, 1, {}, std::nullopt}, error);
  ASSERT_NE(writer, nullptr);
  for (const Picture& frame : frames) {
    ASSERT_EQ(writer->writeFrame(frame), port::AviWriteError::None);
  }
  ASSERT_EQ(writer->finish(), port::AviWriteError::None);
}

class BackgroundVideoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene.exeDirectory = folder.path();
    // The surfaces have the video's size, so a composed frame is the frame itself.
    resizeBackgrounds(backgrounds, kWidth, kHeight, 1.0f);
  }

  // The frame of `frames` the video surface shows.
  int shownFrame(const std::vector<Picture>& frames) const {
    Picture shown = backgrounds.videoSurface;
    for (const Picture& frame : frames) {
      bool same = true;
      for (std::size_t index = 0; index < frame.pixels.size() && same; ++index) {
        same = index % 4 == 3 || frame.pixels[index] == shown.pixels[index];
      }
      if (same) {
        return static_cast<int>(&frame - frames.data());
      }
    }
    return -1;
  }

  // The operations as a command runs them, keeping what they tell in `ui`.
  bool loadVideo(Scene& into, Backgrounds& surfaces, const std::filesystem::path& path) {
    return ui.kept(zv::loadVideo(into, surfaces, path)).done;
  }
  bool composeVideo(Scene& shown, Backgrounds& surfaces) {
    return ui.kept(zv::composeVideo(shown, surfaces)).done;
  }

  TempFolder folder;
  test::ToldMessages ui;
  Scene scene;
  Backgrounds backgrounds;
};

TEST_F(BackgroundVideoTest, TheDemoVideoIsFrameLockedAndFillsTheWidth) {
  resizeBackgrounds(backgrounds, 192, 108, 1.0f);
  const std::filesystem::path demo =
      std::filesystem::path(std::getenv("ZV_SOURCE_DIR")) / "UserFile" / "BackGround" / "demo_background.avi";
  ASSERT_TRUE(loadVideo(scene, backgrounds, demo));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(backgrounds.video.frameLocked);
  EXPECT_EQ(backgrounds.video.endSample, 30);
  EXPECT_EQ(backgrounds.video.frameWidth, 96);
  EXPECT_EQ(backgrounds.video.frameHeight, 54);
  EXPECT_EQ(backgrounds.video.placement.zoom, 2.0f);
  EXPECT_EQ(backgrounds.video.placement.offsetX, 0);
  EXPECT_EQ(backgrounds.video.placement.offsetY, 0);
  EXPECT_EQ(scene.backgroundVideoShown, 1);
}

TEST_F(BackgroundVideoTest, AMovedVideoIsFoundUnderUserFileBackGround) {
  std::filesystem::create_directories(folder / "UserFile" / "BackGround");
  writeVideo(folder / "UserFile" / "BackGround" / "clip.avi", noiseFrames(2), 30);
  ASSERT_TRUE(loadVideo(scene, backgrounds, "/no/such/folder/clip.avi"));
  EXPECT_EQ(backgrounds.video.path, folder / "UserFile" / "BackGround" / "clip.avi");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BackgroundVideoTest, FailedLoadsShowTheirMessageAndLeaveNothingLoaded) {
  std::filesystem::create_directories(folder / "UserFile" / "BackGround");
  writeVideo(folder / "UserFile" / "BackGround" / "clip.avi", noiseFrames(2), 30);
  test::writeFile(folder / "text.avi", "not a video");
  struct Case {
    std::filesystem::path path;
    std::string_view message;
  };
  // A bare name is not looked for under UserFile/BackGround.
  const std::vector<Case> cases = {{"clip.avi", kVideoNotFoundMessage},
                                   {"/no/such/folder/other.avi", kVideoNotFoundMessage},
                                   {folder / "text.avi", kVideoNotFoundMessage}};
  for (const Case& failing : cases) {
    ASSERT_TRUE(loadVideo(scene, backgrounds, folder / "UserFile" / "BackGround" / "clip.avi"));
    ui.messages.clear();
    EXPECT_FALSE(loadVideo(scene, backgrounds, failing.path)) << failing.path;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, failing.message);
    EXPECT_EQ(ui.messages[0].caption, kVideoCaption);
    EXPECT_TRUE(ui.messages[0].standalone);
    EXPECT_FALSE(videoLoaded(backgrounds));
    EXPECT_TRUE(backgrounds.video.path.empty());
    EXPECT_EQ(scene.backgroundVideoShown, 0);
  }
}

TEST_F(BackgroundVideoTest, AThirtyFpsVideoFollowsTheFrameAndA25FpsOneTheTime) {
  const std::vector<Picture> frames = noiseFrames(12);
  writeVideo(folder / "30.avi", frames, 30);
  writeVideo(folder / "25.avi", frames, 25);

  ASSERT_TRUE(loadVideo(scene, backgrounds, folder / "30.avi"));
  EXPECT_TRUE(backgrounds.video.frameLocked);
  scene.currentFrame = 7;
  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(shownFrame(frames), 7);
  scene.currentFrame = 500;  // past the end: the last frame
  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(shownFrame(frames), 11);
  scene.playing = true;
  scene.currentTime = 0.25f;  // 250 ms: frame 7 at 30 fps
  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(shownFrame(frames), 7);

  ASSERT_TRUE(loadVideo(scene, backgrounds, folder / "25.avi"));
  EXPECT_FALSE(backgrounds.video.frameLocked);
  scene.playing = false;
  scene.currentFrame = 10;  // 333 ms: frame 8 at 25 fps
  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(shownFrame(frames), 8);
  scene.playing = true;
  scene.currentTime = 0.25f;  // 250 ms: frame 6 at 25 fps
  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(shownFrame(frames), 6);
}

TEST_F(BackgroundVideoTest, ARecordingAt30FpsShowsTheNextFrameOnEveryPicture) {
  const std::vector<Picture> frames = noiseFrames(12);
  writeVideo(folder / "30.avi", frames, 30);
  ASSERT_TRUE(loadVideo(scene, backgrounds, folder / "30.avi"));
  scene.playing = true;
  scene.recording = true;
  followRecording(backgrounds, 3, 30.0f);
  for (int picture = 0; picture < 5; ++picture) {
    scene.currentTime = 0.0f;  // the counter, not the clock, decides
    ASSERT_TRUE(composeVideo(scene, backgrounds));
    EXPECT_EQ(shownFrame(frames), 3 + picture);
  }

  followRecording(backgrounds, 3, 60.0f);
  scene.currentTime = 0.2f;  // 200 ms: frame 6
  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(shownFrame(frames), 6);
}

TEST_F(BackgroundVideoTest, TheVideoLiesOverTheImageAndWhiteShowsWhereNeitherCovers) {
  writeVideo(folder / "30.avi", noiseFrames(2), 30);
  resizeBackgrounds(backgrounds, 2 * kWidth, kHeight, 1.0f);
  ASSERT_TRUE(loadVideo(scene, backgrounds, folder / "30.avi"));
  backgrounds.video.placement = {kWidth, 0, 1.0f};  // the right half
  const Picture frame = test::noisePicture(kWidth, kHeight, 0);

  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(backgrounds.videoSurface.row(5)[4 * 3], 255);  // left half: white
  EXPECT_EQ(backgrounds.videoSurface.row(5)[4 * 3 + 1], 255);
  EXPECT_EQ(backgrounds.videoSurface.row(5)[4 * (kWidth + 3)], frame.row(5)[4 * 3]);

  backgrounds.imageSurface = port::makePicture(2 * kWidth, kHeight, 0xff102030);
  scene.backgroundImageShown = true;
  ASSERT_TRUE(composeVideo(scene, backgrounds));
  EXPECT_EQ(backgrounds.videoSurface.row(5)[4 * 3], 0x30);  // left half: the image
  EXPECT_EQ(backgrounds.videoSurface.row(5)[4 * 3 + 2], 0x10);
  EXPECT_EQ(backgrounds.videoSurface.row(5)[4 * (kWidth + 3)], frame.row(5)[4 * 3]);
}

TEST_F(BackgroundVideoTest, AFrameThatCannotBeDecodedUnloadsTheVideo) {
  // Frames larger than the reader's file buffer, so that the cut is noticed.
  std::vector<Picture> frames;
  for (int index = 0; index < 6; ++index) {
    frames.push_back(test::noisePicture(128, 96, index));
  }
  writeVideo(folder / "cut.avi", frames, 30);
  ASSERT_TRUE(loadVideo(scene, backgrounds, folder / "cut.avi"));
  std::filesystem::resize_file(folder / "cut.avi", 2 * 128 * 96 * 4);
  scene.playing = true;
  scene.currentTime = 5.0f / 30.0f + 0.001f;

  EXPECT_FALSE(composeVideo(scene, backgrounds));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kVideoUnreadableMessage);
  EXPECT_EQ(ui.messages[0].caption, kVideoCaption);
  EXPECT_FALSE(videoLoaded(backgrounds));
  EXPECT_TRUE(backgrounds.video.path.empty());
  EXPECT_EQ(scene.backgroundVideoShown, 0);
  EXPECT_FALSE(composeVideo(scene, backgrounds));
  EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace zv
