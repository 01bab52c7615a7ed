#include "media/background_video.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "media/background_stretch.h"
#include "port/paths.h"

namespace zv {

namespace {

// One frame of 33 ms (sample 1 starts at 33 ms) is taken as the animation's own 30 fps.
constexpr std::int64_t kFrameLockedMilliseconds = 33;

Outcome refused(std::string_view text) {
  return {false, {{std::string(text), std::string(kVideoCaption), true}}};
}

bool hasExtension(const std::filesystem::path& path, std::string_view lowerCaseExtension) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == lowerCaseExtension;
}

std::unique_ptr<port::VideoReader> openWithFallBack(const Scene& scene, std::filesystem::path& path,
                                                    port::VideoOpenError& error) {
  auto reader = port::VideoReader::open(path, error);
  if (error != port::VideoOpenError::CannotOpen || !path.has_parent_path() || !hasExtension(path, ".avi")) {
    return reader;
  }
  path =
      port::resolveCaseInsensitive(port::underFolder(scene.exeDirectory / "UserFile" / "BackGround", path));
  return port::VideoReader::open(path, error);
}

std::string_view openFailureMessage(port::VideoOpenError error) {
  switch (error) {
    case port::VideoOpenError::CannotOpen:
      return kVideoNotFoundMessage;
    case port::VideoOpenError::NoStreamInfo:
      return kVideoInfoMessage;
    default:
      return kVideoUnreadableMessage;
  }
}

}  // namespace

void unloadVideo(Scene& scene, Backgrounds& backgrounds) {
  backgrounds.video.reader.reset();
  backgrounds.video.path.clear();
  scene.backgroundVideoShown = 0;
}

Outcome loadVideo(Scene& scene, Backgrounds& backgrounds, const std::filesystem::path& path) {
  BackgroundVideo& video = backgrounds.video;
  video.reader.reset();
  video.path = path;
  port::VideoOpenError error = port::VideoOpenError::None;
  video.reader = openWithFallBack(scene, video.path, error);
  if (video.reader == nullptr) {
    unloadVideo(scene, backgrounds);
    return refused(openFailureMessage(error));
  }
  video.firstSample = 0;
  video.endSample = video.reader->frameCount();
  video.frameLocked = video.reader->millisecondsAtFrame(1) == kFrameLockedMilliseconds;
  video.recordingAt30 = false;
  const port::Picture* first = video.reader->decodeFrame(0);
  if (first == nullptr) {
    unloadVideo(scene, backgrounds);
    return refused(kVideoUnreadableMessage);
  }
  video.frameWidth = first->width;
  video.frameHeight = first->height;
  video.placement = fitToWidth(video.frameWidth, video.frameHeight, backgrounds.width, backgrounds.height,
                               backgrounds.aspectCorrection);
  scene.backgroundVideoShown = 1;
  return composeVideo(scene, backgrounds);
}

std::int64_t backgroundVideoSample(const Scene& scene, BackgroundVideo& video) {
  std::int64_t sample = 0;
  if (scene.playing) {
    if (scene.recording && video.frameLocked && video.recordingAt30) {
      sample = video.recordedSample++;
    } else {
      sample = video.reader->frameAtMilliseconds(static_cast<std::int64_t>(scene.currentTime * 1000.0f));
    }
  } else if (video.frameLocked) {
    sample = scene.currentFrame;
  } else {
    sample = video.reader->frameAtMilliseconds(static_cast<std::int64_t>(scene.currentFrame) * 1000 /
                                               kFramesPerSecond);
  }
  return std::clamp(sample, video.firstSample, std::max(video.firstSample, video.endSample - 1));
}

Outcome composeVideo(Scene& scene, Backgrounds& backgrounds) {
  BackgroundVideo& video = backgrounds.video;
  if (video.reader == nullptr) {
    return {};
  }
  const port::Picture* frame = video.reader->decodeFrame(backgroundVideoSample(scene, video));
  if (frame == nullptr) {
    unloadVideo(scene, backgrounds);
    return refused(kVideoUnreadableMessage);
  }
  if (scene.backgroundImageShown &&
      backgrounds.imageSurface.pixels.size() == backgrounds.videoSurface.pixels.size()) {
    backgrounds.videoSurface.pixels = backgrounds.imageSurface.pixels;
  } else {
    fillWhite(backgrounds.videoSurface);
  }
  stretchPicture(
      backgrounds.videoSurface,
      placedArea(video.placement, video.frameWidth, video.frameHeight, backgrounds.aspectCorrection), *frame);
  return {true, {}};
}

void followRecording(Backgrounds& backgrounds, std::uint32_t startFrame, float recordFrameRate) {
  backgrounds.video.recordedSample = startFrame;
  backgrounds.video.recordingAt30 = recordFrameRate == kFramesPerSecond;
}

}  // namespace zv
