#include "port/video/ffmpeg_codecs.h"

extern "C" {
#include <libavutil/log.h>
}

namespace zv::port {

const AVCodec* findVideoEncoder(VideoCodec codec) {
  switch (codec) {
    case VideoCodec::Uncompressed:
      return avcodec_find_encoder(AV_CODEC_ID_RAWVIDEO);
    case VideoCodec::Mjpeg:
      return avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    case VideoCodec::Ffv1:
      return avcodec_find_encoder(AV_CODEC_ID_FFV1);
    case VideoCodec::Huffyuv:
      return avcodec_find_encoder(AV_CODEC_ID_HUFFYUV);
    case VideoCodec::Mpeg4:
      return avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    case VideoCodec::H264:
      return avcodec_find_encoder(AV_CODEC_ID_H264);
  }
  return nullptr;
}

AVPixelFormat encoderPixelFormat(const AVCodec& encoder) {
  if (encoder.pix_fmts == nullptr) {
    return AV_PIX_FMT_BGRA;
  }
  for (const AVPixelFormat* format = encoder.pix_fmts; *format != AV_PIX_FMT_NONE; ++format) {
    if (*format == AV_PIX_FMT_BGRA) {
      return AV_PIX_FMT_BGRA;
    }
  }
  return encoder.pix_fmts[0];
}

void quietFfmpegLog() {
  av_log_set_level(AV_LOG_QUIET);
}

}  // namespace zv::port
