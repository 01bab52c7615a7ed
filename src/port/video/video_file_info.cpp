#include "port/video/video_file_info.h"

#include "port/video/ffmpeg_codecs.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace zv::port {

namespace {

struct InputFile {
  AVFormatContext* format = nullptr;
  ~InputFile() { avformat_close_input(&format); }

  bool open(const std::filesystem::path& file) {
    quietFfmpegLog();
    return avformat_open_input(&format, file.c_str(), nullptr, nullptr) >= 0 &&
           avformat_find_stream_info(format, nullptr) >= 0;
  }
};

VideoStreamInfo describeStream(const AVStream& stream) {
  const AVCodecParameters& parameters = *stream.codecpar;
  VideoStreamInfo info;
  info.codecName = avcodec_get_name(parameters.codec_id);
  info.frameCount = stream.nb_frames;
  if (parameters.codec_type == AVMEDIA_TYPE_VIDEO) {
    info.kind = VideoStreamInfo::Kind::Video;
    info.width = parameters.width;
    info.height = parameters.height;
  } else if (parameters.codec_type == AVMEDIA_TYPE_AUDIO) {
    info.kind = VideoStreamInfo::Kind::Audio;
    info.channels = parameters.ch_layout.nb_channels;
    info.bitsPerSample = parameters.bits_per_coded_sample;
    if (stream.duration != AV_NOPTS_VALUE) {
      info.frameCount =
          av_rescale_q(stream.duration, stream.time_base, AVRational{1, parameters.sample_rate});
    }
  }
  info.rate = stream.time_base.den;
  info.scale = stream.time_base.num;
  return info;
}

}  // namespace

std::optional<VideoFileInfo> describeVideoFile(const std::filesystem::path& file) {
  InputFile input;
  if (!input.open(file)) {
    return std::nullopt;
  }
  VideoFileInfo info;
  info.container = input.format->iformat->name;
  for (unsigned index = 0; index < input.format->nb_streams; ++index) {
    info.streams.push_back(describeStream(*input.format->streams[index]));
  }
  return info;
}

std::optional<std::vector<std::uint8_t>> readAudioBytes(const std::filesystem::path& file) {
  InputFile input;
  if (!input.open(file)) {
    return std::nullopt;
  }
  const int audioIndex = av_find_best_stream(input.format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (audioIndex < 0) {
    return std::nullopt;
  }
  AVPacket* packet = av_packet_alloc();
  if (packet == nullptr) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  while (av_read_frame(input.format, packet) >= 0) {
    if (packet->stream_index == audioIndex) {
      bytes.insert(bytes.end(), packet->data, packet->data + packet->size);
    }
    av_packet_unref(packet);
  }
  av_packet_free(&packet);
  return bytes;
}

}  // namespace zv::port
