// What a video file holds, as `zolvanta-cli info` prints it and tests check exports with.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zv::port {

struct VideoStreamInfo {
  enum class Kind { Video, Audio, Other };
  Kind kind = Kind::Other;
  std::string codecName;        // FFmpeg's short name: "rawvideo", "mjpeg", "pcm_s16le", ...
  std::int64_t frameCount = 0;  // pictures, or sample frames of audio, as the header counts them
  int rate = 0;                 // `rate` units every `scale` seconds: pictures, or samples for audio
  int scale = 0;
  int width = 0;          // video
  int height = 0;         // video; negative-height bitmaps are reported with their real height
  int channels = 0;       // audio
  int bitsPerSample = 0;  // audio
};

struct VideoFileInfo {
  std::string container;  // "avi", ...
  std::vector<VideoStreamInfo> streams;
};

// The streams of `file`, or nothing when it cannot be opened as a video file.
std::optional<VideoFileInfo> describeVideoFile(const std::filesystem::path& file);

// Every byte of the first audio stream's packets, in file order: the PCM a player would play.
std::optional<std::vector<std::uint8_t>> readAudioBytes(const std::filesystem::path& file);

}  // namespace zv::port
