#include "port/video/video_reader.h"

#include <algorithm>
#include <vector>

#include "port/video/ffmpeg_codecs.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace zv::port {

namespace {

// Decoded pictures kept for reuse; playback asks for each frame at most a few times in a row.
constexpr std::size_t kCachedPictures = 4;
// Without an index, a frame this close after the last decoded one is reached by decoding on.
constexpr std::int64_t kForwardDecodeWithoutIndex = 30;

struct CachedPicture {
  std::int64_t frame = -1;
  std::uint64_t lastUse = 0;
  Picture picture;
};

}  // namespace

struct VideoReader::Impl {
  AVFormatContext* format = nullptr;
  AVCodecContext* decoder = nullptr;
  AVStream* stream = nullptr;
  AVPacket* packet = nullptr;
  AVFrame* decoded = nullptr;
  AVFrame* kept = nullptr;  // newest decoded frame at or before the one asked for
  SwsContext* converter = nullptr;
  AVRational frameDuration{1, 1};  // seconds per frame: scale / rate
  std::int64_t startTimestamp = 0;
  std::int64_t frameCount = 0;
  std::int64_t lastDecodedFrame = -1;
  bool decoderDrained = false;
  std::vector<CachedPicture> cache;
  std::uint64_t useCounter = 0;

  ~Impl() {
    sws_freeContext(converter);
    av_frame_free(&kept);
    av_frame_free(&decoded);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
  }

  std::int64_t frameOfTimestamp(std::int64_t timestamp) const {
    return av_rescale_q_rnd(timestamp - startTimestamp, stream->time_base, frameDuration,
                            static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
  }

  std::int64_t timestampOfFrame(std::int64_t frame) const {
    return startTimestamp + av_rescale_q(frame, frameDuration, stream->time_base);
  }

  VideoOpenError selectStream() {
    for (unsigned index = 0; index < format->nb_streams; ++index) {
      AVStream* candidate = format->streams[index];
      const bool isPicture = candidate->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
                             (candidate->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0;
      if (stream == nullptr && isPicture) {
        stream = candidate;
      } else {
        candidate->discard = AVDISCARD_ALL;
      }
    }
    if (stream == nullptr || stream->codecpar->width <= 0 || stream->codecpar->height <= 0 ||
        !pictureSizeAcceptable(stream->codecpar->width, stream->codecpar->height)) {
      return VideoOpenError::NoVideoStream;
    }
    AVRational frameRate = stream->avg_frame_rate;
    if (frameRate.num <= 0 || frameRate.den <= 0) {
      frameRate = stream->r_frame_rate;
    }
    if (frameRate.num <= 0 || frameRate.den <= 0) {
      frameRate = av_inv_q(stream->time_base);
    }
    frameDuration = av_inv_q(frameRate);
    startTimestamp = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    if (stream->nb_frames > 0) {
      frameCount = stream->nb_frames;
    } else if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
      frameCount = av_rescale_q(stream->duration, stream->time_base, frameDuration);
    } else if (format->duration != AV_NOPTS_VALUE && format->duration > 0) {
      frameCount = av_rescale_q(format->duration, AV_TIME_BASE_Q, frameDuration);
    }
    return frameCount > 0 ? VideoOpenError::None : VideoOpenError::NoVideoStream;
  }

  VideoOpenError openDecoder() {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (codec == nullptr) {
      return VideoOpenError::CannotDecode;
    }
    decoder = avcodec_alloc_context3(codec);
    if (decoder == nullptr || avcodec_parameters_to_context(decoder, stream->codecpar) < 0) {
      return VideoOpenError::CannotDecode;
    }
    decoder->thread_count = 1;
    if (avcodec_open2(decoder, codec, nullptr) < 0) {
      return VideoOpenError::CannotDecode;
    }
    packet = av_packet_alloc();
    decoded = av_frame_alloc();
    kept = av_frame_alloc();
    return packet && decoded && kept ? VideoOpenError::None : VideoOpenError::CannotDecode;
  }

  VideoOpenError open(const std::filesystem::path& file) {
    if (avformat_open_input(&format, file.c_str(), nullptr, nullptr) < 0) {
      return VideoOpenError::CannotOpen;
    }
    if (avformat_find_stream_info(format, nullptr) < 0) {
      return VideoOpenError::NoStreamInfo;
    }
    if (VideoOpenError error = selectStream(); error != VideoOpenError::None) {
      return error;
    }
    return openDecoder();
  }

  // The frame of the key frame at or before `frame` as the index knows it, or -1 without one.
  std::int64_t keyFrameAtOrBefore(std::int64_t frame) const {
    const AVIndexEntry* entry =
        avformat_index_get_entry_from_timestamp(stream, timestampOfFrame(frame), AVSEEK_FLAG_BACKWARD);
    return entry == nullptr ? -1 : frameOfTimestamp(entry->timestamp);
  }

  bool decodingOnReaches(std::int64_t frame) const {
    if (decoderDrained || lastDecodedFrame < 0 || frame <= lastDecodedFrame) {
      return false;
    }
    if (avformat_index_get_entries_count(stream) == 0) {
      return frame - lastDecodedFrame <= kForwardDecodeWithoutIndex;
    }
    return keyFrameAtOrBefore(frame) <= lastDecodedFrame;
  }

  bool seekBefore(std::int64_t frame) {
    if (av_seek_frame(format, stream->index, timestampOfFrame(frame), AVSEEK_FLAG_BACKWARD) < 0) {
      return false;
    }
    avcodec_flush_buffers(decoder);
    lastDecodedFrame = -1;
    decoderDrained = false;
    return true;
  }

  // Takes the decoder's pending pictures; true once one at or past `frame` has come out.
  bool receiveUpTo(std::int64_t frame) {
    while (avcodec_receive_frame(decoder, decoded) == 0) {
      const std::int64_t timestamp = decoded->best_effort_timestamp;
      const std::int64_t number =
          timestamp == AV_NOPTS_VALUE ? lastDecodedFrame + 1 : frameOfTimestamp(timestamp);
      lastDecodedFrame = number;
      if (number <= frame || kept->buf[0] == nullptr) {
        av_frame_unref(kept);
        av_frame_move_ref(kept, decoded);
      } else {
        av_frame_unref(decoded);
      }
      if (number >= frame) {
        return true;
      }
    }
    return false;
  }

  // Feeds packets until the decoder has produced `frame` or the stream ends; false when the file
  // cannot be read on (a frame that ends early, data missing from a cut-off file).
  bool decodeUpTo(std::int64_t frame) {
    av_frame_unref(kept);
    while (!receiveUpTo(frame) && !decoderDrained) {
      const int result = av_read_frame(format, packet);
      if (result == AVERROR_EOF) {
        avcodec_send_packet(decoder, nullptr);
        decoderDrained = true;
        continue;
      }
      if (result < 0) {
        decoderDrained = true;  // the next request starts again from a key frame
        return false;
      }
      const bool damaged = packet->stream_index == stream->index && avcodec_send_packet(decoder, packet) < 0;
      av_packet_unref(packet);
      if (damaged) {
        decoderDrained = true;
        return false;
      }
    }
    return true;
  }

  bool convertKept(Picture& picture) {
    const int width = stream->codecpar->width;
    const int height = stream->codecpar->height;
    converter = sws_getCachedContext(converter, kept->width, kept->height,
                                     static_cast<AVPixelFormat>(kept->format), width, height, AV_PIX_FMT_BGRA,
                                     SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (converter == nullptr) {
      return false;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * height * 4);
    std::uint8_t* target[4] = {picture.pixels.data(), nullptr, nullptr, nullptr};
    const int targetStride[4] = {width * 4, 0, 0, 0};
    return sws_scale(converter, kept->data, kept->linesize, 0, kept->height, target, targetStride) == height;
  }

  CachedPicture& cacheSlot() {
    if (cache.size() < kCachedPictures) {
      return cache.emplace_back();
    }
    return *std::min_element(cache.begin(), cache.end(), [](const CachedPicture& a, const CachedPicture& b) {
      return a.lastUse < b.lastUse;
    });
  }

  const Picture* decodeFrame(std::int64_t frame) {
    frame = std::clamp<std::int64_t>(frame, 0, frameCount - 1);
    for (CachedPicture& entry : cache) {
      if (entry.frame == frame) {
        entry.lastUse = ++useCounter;
        return &entry.picture;
      }
    }
    if (!decodingOnReaches(frame) && !seekBefore(frame)) {
      return nullptr;
    }
    if (!decodeUpTo(frame) || kept->buf[0] == nullptr) {
      return nullptr;
    }
    CachedPicture& slot = cacheSlot();
    slot.frame = -1;
    if (!convertKept(slot.picture)) {
      return nullptr;
    }
    slot.frame = frame;
    slot.lastUse = ++useCounter;
    return &slot.picture;
  }
};

VideoReader::VideoReader(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
VideoReader::~VideoReader() = default;

std::unique_ptr<VideoReader> VideoReader::open(const std::filesystem::path& file, VideoOpenError& error) {
  quietFfmpegLog();
  auto impl = std::make_unique<Impl>();
  error = impl->open(file);
  if (error != VideoOpenError::None) {
    return nullptr;
  }
  return std::unique_ptr<VideoReader>(new VideoReader(std::move(impl)));
}

int VideoReader::width() const {
  return impl_->stream->codecpar->width;
}
int VideoReader::height() const {
  return impl_->stream->codecpar->height;
}
std::int64_t VideoReader::frameCount() const {
  return impl_->frameCount;
}
int VideoReader::rate() const {
  return impl_->frameDuration.den;
}
int VideoReader::scale() const {
  return impl_->frameDuration.num;
}

std::int64_t VideoReader::frameAtMilliseconds(std::int64_t milliseconds) const {
  return av_rescale_rnd(milliseconds, rate(), static_cast<std::int64_t>(scale()) * 1000, AV_ROUND_ZERO);
}

std::int64_t VideoReader::millisecondsAtFrame(std::int64_t frame) const {
  return av_rescale_rnd(frame, static_cast<std::int64_t>(scale()) * 1000, rate(), AV_ROUND_ZERO);
}

const Picture* VideoReader::decodeFrame(std::int64_t frame) {
  return impl_->decodeFrame(frame);
}

}  // namespace zv::port
