#include "app/frame_step.h"

#include <GL/glcorearb.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "anim/sampling.h"
#include "app/recording_commands.h"
#include "frame_fixture.h"
#include "media/background_image.h"
#include "media/background_video.h"
#include "port/video/video_file_info.h"
#include "port/video/video_reader.h"
#include "scene/keys/key_registration.h"
#include "temp_folder.h"

namespace zv {
namespace {

using test::FrameStepTest;

// Runs steps until playback ends, at most `limit` of them; returns how many ran.
int stepWhilePlaying(Scene& scene, FrameSystems& systems, int limit) {
  int steps = 0;
  while (scene.playing && steps < limit) {
    frameStep(scene, systems);
    ++steps;
  }
  return steps;
}

// A window framebuffer stand-in: an FBO the step presents into, counting the swaps.
class FramebufferSurface : public port::ViewSurface {
 public:
  FramebufferSurface(port::HeadlessGlContext& context, port::Size size) : context_(context), size_(size) {
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size.width, size.height);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
  }
  ~FramebufferSurface() override {
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteRenderbuffers(1, &colour_);
  }
  void place(port::Rect area) override { placed = area; }
  bool makeCurrent() override { return context_.makeCurrent(); }
  unsigned framebuffer() const override { return framebuffer_; }
  port::Size pixelSize() const override { return size_; }
  void swapBuffers() override { ++swaps; }

  // The presented pixel (row 0 at the top) as 0xRRGGBB.
  std::uint32_t pixel(int x, int y) const {
    std::uint8_t rgba[4] = {};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glReadPixels(x, size_.height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return static_cast<std::uint32_t>(rgba[0]) << 16 | static_cast<std::uint32_t>(rgba[1]) << 8 | rgba[2];
  }

  port::Rect placed;
  int swaps = 0;

 private:
  port::HeadlessGlContext& context_;
  port::Size size_;
  unsigned colour_ = 0;
  unsigned framebuffer_ = 0;
};

TEST_F(FrameStepTest, TheBackBufferIsStretchedOverTheWholeViewAndSwapped) {
  FramebufferSurface surface(*context_, {256, 192});
  systems_->surface = &surface;
  layoutView(scene_, *systems_);
  EXPECT_EQ(surface.placed, systems_->viewRectangle);
  scene_.showAxes = false;
  frameStep(scene_, *systems_);
  EXPECT_EQ(surface.swaps, 1);
  EXPECT_EQ(surface.pixel(128, 150), 0xFFFFFFu);
  // "ｶﾒﾗ･照明･ｱｸｾｻﾘ" in red at the top left, at half size.
  bool red = false;
  for (int x = 0; x < 60; ++x) {
    const std::uint32_t shown = surface.pixel(x, 11);
    red = red || (shown >> 16 > 200 && (shown >> 8 & 0xFF) < 80 && (shown & 0xFF) < 80);
  }
  EXPECT_TRUE(red);
  systems_->surface = nullptr;
}

TEST_F(FrameStepTest, CameraModeShowsTheCentreMarkerAndTheCameraLine) {
  loadDemoCharacter();
  scene_.cameraMode = true;
  frameStep(scene_, *systems_);
  expectMatchesReference("frame_camera_mode");
}

TEST_F(FrameStepTest, ModelModeShowsTheBonesAndTheModelAndBoneNames) {
  Model& model = loadDemoCharacter();
  scene_.cameraMode = false;
  scene_.viewOffsetY = 10.0f;
  model.selectedBone = 0;
  frameStep(scene_, *systems_);
  expectMatchesReference("frame_model_mode");
  EXPECT_NE(scene_.gizmoScreenX, 0.0f);
  EXPECT_GT(scene_.gizmoScreenScale, 0.0f);
}

TEST_F(FrameStepTest, PlayingDrawsShadowAndOutlineAndSaysSo) {
  loadDemoCharacter();
  scene_.cameraMode = false;
  scene_.viewOffsetY = 10.0f;
  scene_.playing = true;
  scene_.playRangeEndTime = 10.0f;
  scene_.frameElapsedSeconds = 0.0f;
  frameStep(scene_, *systems_);
  EXPECT_TRUE(scene_.playing);
  expectMatchesReference("frame_playing");
}

TEST_F(FrameStepTest, TheWidgetButtonsFollowTheSelectedBoneOnlyInModelMode) {
  Model& model = loadDemoCharacter();
  scene_.cameraMode = false;
  model.selectedBone = -1;
  frameStep(scene_, *systems_);
  EXPECT_FALSE(ui_.control(kRotateButton).enabled);
  EXPECT_FALSE(ui_.control(kMoveButton).enabled);
  EXPECT_EQ(scene_.widgetRestriction, 3);

  model.selectedBone = 0;
  scene_.cameraMode = true;
  frameStep(scene_, *systems_);
  EXPECT_FALSE(ui_.control(kRotateButton).enabled);
  EXPECT_EQ(scene_.widgetRestriction, 3);
}

TEST_F(FrameStepTest, TheViewPitchIsClampedAfterEveryStep) {
  scene_.camera.cameraAngles = {2.0f, 0.5f, 0.0f};
  frameStep(scene_, *systems_);
  EXPECT_EQ(scene_.camera.cameraAngles.x, 1.57f);
  scene_.camera.cameraAngles.x = -3.0f;
  frameStep(scene_, *systems_);
  EXPECT_EQ(scene_.camera.cameraAngles.x, -1.57f);
  EXPECT_EQ(scene_.camera.cameraAngles.y, 0.5f);
}

TEST_F(FrameStepTest, RecordingFromFrameZeroToZeroWritesOneFrameAt30AndTwoAt60) {
  test::TempFolder folder;
  for (const auto& [rate, frames] : {std::pair{30.0f, 1}, std::pair{60.0f, 2}}) {
    RecordingSettings settings;
    settings.recordPath = folder / "out.avi";
    settings.recordFrameRate = rate;
    ASSERT_EQ(startRecording(scene_, systems_->aviExport, settings, std::nullopt, ui_).error,
              port::AviWriteError::None);
    EXPECT_LT(stepWhilePlaying(scene_, *systems_, 10), 10);
    EXPECT_FALSE(scene_.recording);
    EXPECT_EQ(systems_->aviExport.framesWritten, frames) << rate;
    const auto info = port::describeVideoFile(settings.recordPath);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->streams.at(0).frameCount, frames) << rate;
    EXPECT_EQ(info->streams.at(0).width, scene_.outputWidth);
  }
  EXPECT_TRUE(ui_.messages.empty());
}

bool anyRed(const std::uint8_t* pixels, std::size_t count, int redIndex) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = pixels + i * 4;
    if (p[redIndex] > 200 && p[1] < 60 && p[2 - redIndex] < 60) {
      return true;
    }
  }
  return false;
}

TEST_F(FrameStepTest, TheRecordedPictureHoldsTheSceneButNotTheText) {
  test::TempFolder folder;
  RecordingSettings settings;
  settings.recordPath = folder / "out.avi";
  scene_.outputWidth = kScreen.width;
  scene_.outputHeight = kScreen.height;
  ASSERT_EQ(startRecording(scene_, systems_->aviExport, settings, std::nullopt, ui_).error,
            port::AviWriteError::None);
  frameStep(scene_, *systems_);
  const RgbaImage shown = readBackBuffer(systems_->device, {0, 0, 120, 40});
  EXPECT_TRUE(anyRed(shown.pixels.data(), shown.pixels.size() / 4, 0)) << "録画中 is shown";
  stepWhilePlaying(scene_, *systems_, 10);

  port::VideoOpenError error{};
  auto reader = port::VideoReader::open(settings.recordPath, error);
  ASSERT_NE(reader, nullptr);
  const port::Picture* written = reader->decodeFrame(0);
  ASSERT_NE(written, nullptr);
  ASSERT_EQ(written->width, kScreen.width);
  for (int y = 0; y < 40; ++y) {
    EXPECT_FALSE(anyRed(written->row(y), 120, 2)) << "row " << y;
  }
}

TEST_F(FrameStepTest, RepeatPlaybackWrapsToTheStartFrameBox) {
  scene_.playing = true;
  scene_.repeatPlayback = true;
  scene_.playRangeEndTime = 1.0f / 30.0f;
  scene_.frameElapsedSeconds = 0.05f;
  ui_.setControlText(kStartFrameBox, "abc");
  frameStep(scene_, *systems_);
  EXPECT_TRUE(scene_.playing);
  EXPECT_EQ(scene_.currentTime, 0.0f);

  ui_.setControlText(kStartFrameBox, " 15");
  scene_.playRangeEndTime = 1.0f;
  scene_.currentTime = 0.99f;
  frameStep(scene_, *systems_);
  EXPECT_TRUE(scene_.playing);
  EXPECT_EQ(scene_.currentTime, 15.0f / 30.0f);
  EXPECT_EQ(scene_.playRangeStartTime, 15.0f / 30.0f);
}

TEST_F(FrameStepTest, PlayingTheCameraTrackBringsItsViewAngleAndDropsTheViewOffset) {
  scene_.camera.fieldOfView = 30.0f;
  ASSERT_TRUE(registerCameraKey(scene_, 0));
  scene_.camera.fieldOfView = 45.0f;
  scene_.viewOffsetX = 3.0f;
  scene_.viewOffsetY = -2.0f;
  scene_.playing = true;
  scene_.playRangeEndTime = 1.0f;
  seekScene(scene_);
  EXPECT_EQ(scene_.viewOffsetX, 0.0f);
  EXPECT_EQ(scene_.viewOffsetY, 0.0f);
  frameStep(scene_, *systems_);
  EXPECT_EQ(scene_.camera.fieldOfView, 30.0f);
  Mat4 expected;
  ASSERT_TRUE(perspective(expected, 30.0f / 180.0f * 3.141592f, 384.0f / 512.0f, 1.0f, 1500.0f));
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_EQ(systems_->device.state.projection.m[row][column], expected.m[row][column]);
    }
  }
}

// The music follows the clock: rewound and ready at the end of the range, restarted on a wrap.
TEST_F(FrameStepTest, TheMusicStopsRewoundAtTheEndAndRestartsOnRepeat) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  shutdown(systems_->wav);
  ASSERT_TRUE(initialise(systems_->wav, nullptr));
  std::filesystem::path music = "UserFile/Wave/demo_beat.wav";
  ASSERT_TRUE(loadWav(systems_->wav, music, scene_.exeDirectory, 0, scene_.panelWidth));
  scene_.playing = true;
  scene_.playRangeEndTime = 1.0f / 30.0f;
  scene_.frameElapsedSeconds = 0.05f;
  ASSERT_TRUE(playFrom(systems_->wav, 0.0f));
  frameStep(scene_, *systems_);
  EXPECT_FALSE(scene_.playing);
  EXPECT_EQ(systems_->wav.stopState.load(), kWavFinished);
  EXPECT_FALSE(systems_->wav.thread.joinable());
  EXPECT_NE(systems_->wav.buffer, nullptr);
  EXPECT_EQ(systems_->wav.dataRead, 0);

  scene_.playing = true;
  scene_.repeatPlayback = true;
  scene_.currentTime = 0.0f;
  ui_.setControlText(kStartFrameBox, "0");
  frameStep(scene_, *systems_);
  EXPECT_TRUE(scene_.playing);
  EXPECT_TRUE(systems_->wav.thread.joinable());
  stop(systems_->wav);
}

TEST_F(FrameStepTest, PlaybackStopsAtTheEndOfTheRangeWithoutRepeat) {
  ui_.checkControl(kPlayButton, true);
  scene_.playing = true;
  scene_.playRangeEndTime = 2.0f / 30.0f;
  scene_.frameElapsedSeconds = 1.0f / 30.0f;
  EXPECT_EQ(stepWhilePlaying(scene_, *systems_, 10), 3);
  EXPECT_FALSE(scene_.playing);
  EXPECT_FALSE(ui_.control(kPlayButton).checked);
}

TEST_F(FrameStepTest, TheBackgroundImageReplacesTheWhiteClear) {
  scene_.showAxes = false;
  scene_.cameraMode = false;
  frameStep(scene_, *systems_);
  EXPECT_EQ(test::pixelAt(readBackBuffer(systems_->device), 256, 192), 0xFFFFFFu);
  ASSERT_TRUE(loadImage(scene_, systems_->backgrounds, "UserFile/BackGround/demo_background.bmp"));
  ASSERT_TRUE(scene_.backgroundImageShown);
  frameStep(scene_, *systems_);
  const RgbaImage drawn = readBackBuffer(systems_->device);
  const port::Picture& image = systems_->backgrounds.imageSurface;
  const std::uint8_t* source = image.row(192) + 256 * 4;
  const std::uint32_t expected = static_cast<std::uint32_t>(source[2]) << 16 | source[1] << 8 | source[0];
  EXPECT_NE(expected, 0xFFFFFFu);
  EXPECT_EQ(test::pixelAt(drawn, 256, 192), expected);
}

// 0xRRGGBB of a B, G, R, A picture's pixel.
std::uint32_t picturePixel(const port::Picture& picture, int x, int y) {
  const std::uint8_t* p = picture.row(y) + static_cast<std::size_t>(x) * 4;
  return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

TEST_F(FrameStepTest, ThePlayingBackgroundVideoShowsTheFrameOfTheClock) {
  scene_.showAxes = false;
  ASSERT_TRUE(loadVideo(scene_, systems_->backgrounds, "UserFile/BackGround/demo_background.avi"));
  ASSERT_TRUE(scene_.backgroundVideoShown);
  scene_.playing = true;
  scene_.playRangeEndTime = 100.0f;
  std::vector<std::vector<std::uint8_t>> surfaces;
  for (const float time : {0.0f, 0.5f}) {
    scene_.currentTime = time;
    frameStep(scene_, *systems_);
    const RgbaImage drawn = readBackBuffer(systems_->device);
    const port::Picture& surface = systems_->backgrounds.videoSurface;
    for (int y = 40; y < drawn.height; y += 37) {
      for (int x = 0; x < 380; x += 23) {
        EXPECT_EQ(test::pixelAt(drawn, x, y), picturePixel(surface, x, y))
            << time << " at " << x << ", " << y;
      }
    }
    surfaces.push_back(surface.pixels);
  }
  EXPECT_NE(surfaces[0], surfaces[1]);
}

TEST_F(FrameStepTest, PropsAreDrawnFromTheirSlotState) {
  const std::filesystem::path folder = std::filesystem::current_path();
  auto prop = std::make_unique<Accessory>();
  AccessoryState& state = scene_.accessories[3];
  ASSERT_TRUE(loadAccessory(*prop, state, systems_->device, systems_->textures, "UserFile/Accessory/lamp.x",
                            scene_.exeDirectory));
  std::filesystem::current_path(folder);
  systems_->accessories[3] = std::move(prop);
  state.loaded = true;
  state.visible = false;
  frameStep(scene_, *systems_);
  const RgbaImage hidden = readBackBuffer(systems_->device);

  state.visible = true;
  frameStep(scene_, *systems_);
  const RgbaImage shown = readBackBuffer(systems_->device);
  EXPECT_NE(shown.pixels, hidden.pixels);

  state.position = {6, 0, 0};
  frameStep(scene_, *systems_);
  EXPECT_NE(readBackBuffer(systems_->device).pixels, shown.pixels);
  state.visible = false;
  frameStep(scene_, *systems_);
  EXPECT_EQ(readBackBuffer(systems_->device).pixels, hidden.pixels);
}

// Mean of the red, green and blue bytes in `area` of an RGBA picture `width` wide.
double meanBrightness(const std::vector<std::uint8_t>& rgba, int width, port::Rect area) {
  double sum = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
      sum += p[0] + p[1] + p[2];
    }
  }
  return sum / (3.0 * area.width() * area.height());
}

std::vector<std::uint8_t> captureTexturePixels(const CaptureTexture& capture) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kCaptureSize) * kCaptureSize * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, capture.framebuffer);
  glReadPixels(0, 0, kCaptureSize, kCaptureSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

TEST_F(FrameStepTest, TheCaptureTextureHoldsTheSceneTopRowFirst) {
  loadDemoCharacter();
  scene_.showAxes = false;
  scene_.captureMode = CaptureMode::WholeView;
  frameStep(scene_, *systems_);
  const RgbaImage drawn = readBackBuffer(systems_->device);
  // The texture's row 0 (v = 0) is the picture's top row, which GL reads back first. The areas
  // compared leave out the overlays and text drawn after the capture.
  const std::vector<std::uint8_t> captured = captureTexturePixels(systems_->capture);
  const double drawnTop = meanBrightness(drawn.pixels, drawn.width, {180, 96, 332, 192});
  const double drawnBottom = meanBrightness(drawn.pixels, drawn.width, {180, 192, 332, 288});
  EXPECT_GT(std::abs(drawnTop - drawnBottom), 8.0);
  EXPECT_NEAR(meanBrightness(captured, kCaptureSize, {90, 64, 166, 128}), drawnTop, 3.0);
  EXPECT_NEAR(meanBrightness(captured, kCaptureSize, {90, 128, 166, 192}), drawnBottom, 3.0);
}

TEST_F(FrameStepTest, NoGroundShadowFallsFromALightPointingUpward) {
  loadDemoCharacter();
  scene_.cameraMode = false;
  scene_.viewOffsetY = 10.0f;
  scene_.showAxes = false;
  scene_.playing = true;
  scene_.playRangeEndTime = 10.0f;
  const auto shadowPixels = [&] {
    frameStep(scene_, *systems_);
    const RgbaImage ground = readBackBuffer(systems_->device, {120, 280, 225, 330});
    int count = 0;
    for (std::size_t i = 0; i + 3 < ground.pixels.size(); i += 4) {
      count += ground.pixels[i] < 240 ? 1 : 0;
    }
    return count;
  };
  EXPECT_GT(shadowPixels(), 200);
  scene_.light.lightDirection = {-0.5f, 1.0f, 0.5f};
  EXPECT_EQ(shadowPixels(), 0);
  scene_.light.lightDirection = {-0.5f, 0.0f, 0.5f};
  EXPECT_EQ(shadowPixels(), 0);
}

}  // namespace
}  // namespace zv
