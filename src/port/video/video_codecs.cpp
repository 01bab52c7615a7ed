#include "port/video/video_codecs.h"

#include <array>

#include "port/video/ffmpeg_codecs.h"

namespace zv::port {

namespace {

constexpr std::array<VideoCodecInfo, 6> kCodecs{{
    {VideoCodec::Uncompressed, "raw", "非圧縮 (32bit RGB)", true},
    {VideoCodec::Mjpeg, "mjpeg", "Motion JPEG", false},
    {VideoCodec::Ffv1, "ffv1", "FFV1 (可逆圧縮)", true},
    {VideoCodec::Huffyuv, "huffyuv", "HuffYUV (可逆圧縮)", true},
    {VideoCodec::Mpeg4, "mpeg4", "MPEG-4 Part 2", false},
    {VideoCodec::H264, "h264", "H.264", false},
}};

}  // namespace

std::vector<VideoCodecInfo> availableVideoCodecs() {
  std::vector<VideoCodecInfo> available;
  for (const VideoCodecInfo& info : kCodecs) {
    if (findVideoEncoder(info.codec) != nullptr) {
      available.push_back(info);
    }
  }
  return available;
}

std::optional<VideoCodecInfo> videoCodecNamed(std::string_view name) {
  for (const VideoCodecInfo& info : kCodecs) {
    if (info.name == name) {
      return info;
    }
  }
  return std::nullopt;
}

const VideoCodecInfo& videoCodecInfo(VideoCodec codec) {
  for (const VideoCodecInfo& info : kCodecs) {
    if (info.codec == codec) {
      return info;
    }
  }
  return kCodecs.front();
}

}  // namespace zv::port
