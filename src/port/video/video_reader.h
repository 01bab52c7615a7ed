// Reading the pictures of a video file's first video stream, frame by frame and in any order.
// Frame n is always the picture that belongs to frame n: a request seeks to the key frame at or
// before it and decodes forward, unless the frames already decoded lead there. The last few
// pictures are cached, so asking for the same frame again (a 30 fps video in a 60 Hz view)
// costs nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "port/video/picture.h"

namespace zv::port {

enum class VideoOpenError {
  None,
  CannotOpen,     // no such file, or not a container FFmpeg reads
  NoStreamInfo,   // the container's stream information cannot be read
  NoVideoStream,  // no video stream, or one without frames
  CannotDecode,   // no decoder for the stream's codec
};

class VideoReader {
 public:
  static std::unique_ptr<VideoReader> open(const std::filesystem::path& file, VideoOpenError& error);
  ~VideoReader();
  VideoReader(const VideoReader&) = delete;
  VideoReader& operator=(const VideoReader&) = delete;

  int width() const;
  int height() const;
  std::int64_t frameCount() const;
  // The stream shows `rate` frames every `scale` seconds.
  int rate() const;
  int scale() const;

  // The frame shown at a time in milliseconds, and the time a frame starts (both truncated).
  std::int64_t frameAtMilliseconds(std::int64_t milliseconds) const;
  std::int64_t millisecondsAtFrame(std::int64_t frame) const;

  // The picture of `frame` (kept within 0 .. frameCount - 1), or null when it cannot be decoded.
  // The picture stays valid until the next call.
  const Picture* decodeFrame(std::int64_t frame);

 private:
  struct Impl;
  explicit VideoReader(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace zv::port
