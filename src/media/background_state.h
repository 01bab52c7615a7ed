// The background video and image behind the 3D view, and the two back-buffer-sized surfaces
// they are composed into. The frame step copies `videoSurface` to the back buffer while the
// video is shown, else `imageSurface` while the image is shown.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "media/background_placement.h"
#include "port/video/picture.h"
#include "port/video/video_reader.h"

namespace zv {

struct BackgroundVideo {
  std::filesystem::path path;                 // empty when no video is loaded
  std::unique_ptr<port::VideoReader> reader;  // open while a video is loaded
  std::int64_t firstSample = 0;               // the stream's first frame
  std::int64_t endSample = 0;                 // first sample + the stream's length in frames
  bool frameLocked = false;  // one frame lasts 33 ms: video frame n belongs to animation frame n
  BackgroundPlacement placement;
  int frameWidth = 0;  // of the decoded frames
  int frameHeight = 0;
  // A frame-locked video recorded at 30 pictures per second shows the next frame on every picture,
  // counted from the recording's start frame, whatever the rounding of the recording clock.
  std::int64_t recordedSample = 0;
  bool recordingAt30 = false;  // the recording running now writes 30 pictures per second
};

struct BackgroundImage {
  std::filesystem::path path;  // empty when no image is loaded
  port::Picture bitmap;        // the loaded picture; width 0 when none
  BackgroundPlacement placement;
};

struct Backgrounds {
  int width = 0;  // the back buffer's size W x H
  int height = 0;
  float aspectCorrection = 1.0f;  // (H / W) / (outputHeight / outputWidth), kept by the layout code
  BackgroundVideo video;
  BackgroundImage image;
  port::Picture videoSurface;  // W x H: the video over the image or white
  port::Picture imageSurface;  // W x H: the image on white
};

// (Re)creates both surfaces at the back buffer's size, white; the caller composes them again.
void resizeBackgrounds(Backgrounds& backgrounds, int width, int height, float aspectCorrection);

bool videoLoaded(const Backgrounds& backgrounds);
bool imageLoaded(const Backgrounds& backgrounds);

}  // namespace zv
