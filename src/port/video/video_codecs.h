// The encoders an AVI export can use, in place of the platform's compressor dialog. The list is
// ours; which entries a build offers depends on the FFmpeg it links.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace zv::port {

enum class VideoCodec {
  Uncompressed,  // 32-bit BGRA device-independent bitmaps, bottom-up
  Mjpeg,
  Ffv1,     // lossless
  Huffyuv,  // lossless
  Mpeg4,    // MPEG-4 part 2
  H264,     // without B-frames, so every frame can be reached by seeking to a key frame
};

struct VideoCodecInfo {
  VideoCodec codec;
  std::string_view name;   // short name for the command line: "raw", "mjpeg", "ffv1", ...
  std::string_view label;  // what a dialog lists
  bool lossless;           // frames read back equal the frames written
};

// What the user picked. The key-frame interval and data rate are optional, as in the dialog.
struct VideoCodecChoice {
  VideoCodec codec = VideoCodec::Uncompressed;
  int keyFrameInterval = 0;  // a key frame every this many frames; 0 leaves it to the encoder
  int dataRate = 0;          // target bytes per second; 0 leaves it to the encoder
};

// The codecs whose encoder this FFmpeg has, in the order a dialog lists them; uncompressed first.
std::vector<VideoCodecInfo> availableVideoCodecs();

// The entry of the full list (available or not) with this short name.
std::optional<VideoCodecInfo> videoCodecNamed(std::string_view name);
const VideoCodecInfo& videoCodecInfo(VideoCodec codec);

}  // namespace zv::port
