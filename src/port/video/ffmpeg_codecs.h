// FFmpeg lookups shared by the reader and the writer. Only this folder includes FFmpeg.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "port/video/video_codecs.h"

namespace zv::port {

// The FFmpeg encoder behind one of our codecs, or null when this FFmpeg lacks it.
const AVCodec* findVideoEncoder(VideoCodec codec);

// The pixel format the writer feeds `encoder`: 32-bit BGRA when it takes it (lossless for every
// picture we make), otherwise the encoder's first format.
AVPixelFormat encoderPixelFormat(const AVCodec& encoder);

// FFmpeg prints warnings for every deprecated pixel format it meets and its own line for every
// frame it cannot decode; the program reports its failures in its own messages and the
// command-line tool prints only those, so FFmpeg prints nothing. Called before any other FFmpeg use.
void quietFfmpegLog();

}  // namespace zv::port
