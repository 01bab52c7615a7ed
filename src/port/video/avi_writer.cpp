#include "port/video/avi_writer.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "port/video/ffmpeg_codecs.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace zv::port {

namespace {

// Fixed quantiser for the lossy codecs when no data rate is asked for: visually clean frames at
// a size far below uncompressed.
constexpr int kDefaultQuantiser = 3;
// Audio is written in chunks of this many milliseconds.
constexpr int kAudioChunkMilliseconds = 500;
constexpr int kScalerThreads = 2;

bool audioFormatAcceptable(const AviAudioFormat& audio) {
  return audio.channels >= 1 && audio.channels <= 8 && audio.sampleRate >= 1 && audio.sampleRate <= 384000 &&
         (audio.bitsPerSample == 8 || audio.bitsPerSample == 16);
}

bool needsEvenSides(AVPixelFormat format) {
  const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
  return descriptor != nullptr && (descriptor->log2_chroma_w > 0 || descriptor->log2_chroma_h > 0);
}

std::filesystem::path temporaryPathFor(const std::filesystem::path& file) {
  std::filesystem::path temporary = file;
  temporary += ".part";
  return temporary;
}

bool pictureAcceptable(const Picture& picture) {
  return pictureSizeAcceptable(picture.width, picture.height) &&
         picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height * 4;
}

struct QueuedPicture {
  Picture picture;
  RowOrder rows = RowOrder::TopDown;
  QueuedAlpha alpha = QueuedAlpha::AsGiven;
};

}  // namespace

struct AviWriter::Impl {
  AviWriterSettings settings;
  std::filesystem::path temporaryFile;
  AVFormatContext* format = nullptr;
  AVCodecContext* encoder = nullptr;
  AVStream* videoStream = nullptr;
  AVStream* audioStream = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  int scalerWidth = 0;  // the picture size the scaler was made for
  int scalerHeight = 0;
  bool bottomUpRows = false;  // raw pictures are stored bottom-up, as bitmaps are
  bool keepsAlpha = false;    // the encoder's pixel format has an alpha channel
  bool fileOpen = false;
  bool finished = false;
  std::atomic<std::int64_t> framesWritten = 0;  // counted on the coding thread, read on the caller's
  std::int64_t audioFramesWritten = 0;

  // The coding thread and what it shares with the caller, all guarded by `queueMutex`. While a
  // picture is queued or being coded only the coding thread touches the encoder and the file.
  std::mutex queueMutex;
  std::condition_variable queueChanged;
  std::deque<QueuedPicture> queued;
  std::vector<std::vector<std::uint8_t>> spareBuffers;  // pixels of coded pictures, for reuse
  bool coding = false;                                  // a picture taken from the queue is being coded
  bool stopping = false;
  AviWriteError queueError = AviWriteError::None;  // the first queued picture that failed
  std::thread coder;

  ~Impl() {
    stopCoder();
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    if (format != nullptr) {
      if (fileOpen) {
        avio_closep(&format->pb);
      }
      avformat_free_context(format);
    }
    if (!finished && !temporaryFile.empty()) {
      std::error_code ignored;
      std::filesystem::remove(temporaryFile, ignored);
    }
  }

  AviWriteError openEncoder(const AVCodec& codec) {
    encoder = avcodec_alloc_context3(&codec);
    if (encoder == nullptr) {
      return AviWriteError::EncoderFailed;
    }
    const VideoCodecChoice& choice = settings.codec;
    encoder->width = settings.width;
    encoder->height = settings.height;
    encoder->pix_fmt = encoderPixelFormat(codec);
    encoder->time_base = AVRational{settings.scale, settings.rate};
    encoder->framerate = AVRational{settings.rate, settings.scale};
    encoder->sample_aspect_ratio = AVRational{1, 1};
    encoder->max_b_frames = 0;  // every frame stays reachable from the key frame before it
    if (choice.keyFrameInterval > 0) {
      encoder->gop_size = choice.keyFrameInterval;
    }
    if (choice.dataRate > 0) {
      encoder->bit_rate = static_cast<std::int64_t>(choice.dataRate) * 8;
    } else if (choice.codec == VideoCodec::Mjpeg || choice.codec == VideoCodec::Mpeg4) {
      encoder->flags |= AV_CODEC_FLAG_QSCALE;
      encoder->global_quality = FF_QP2LAMBDA * kDefaultQuantiser;
    }
    // One coding thread: with frame threads the last pictures could leave the encoder after the
    // music was written, so the file's layout depended on timing. Queued pictures overlap the
    // caller's drawing on the writer's own thread instead.
    encoder->thread_count = 1;
    if (choice.codec == VideoCodec::H264) {
      av_opt_set(encoder->priv_data, "preset", "veryfast", 0);
    }
    if (format->oformat->flags & AVFMT_GLOBALHEADER) {
      encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (needsEvenSides(encoder->pix_fmt) && (settings.width % 2 != 0 || settings.height % 2 != 0)) {
      return AviWriteError::SizeNotEven;
    }
    if (avcodec_open2(encoder, &codec, nullptr) < 0) {
      return AviWriteError::EncoderFailed;
    }
    videoStream = avformat_new_stream(format, nullptr);
    if (videoStream == nullptr || avcodec_parameters_from_context(videoStream->codecpar, encoder) < 0) {
      return AviWriteError::EncoderFailed;
    }
    videoStream->time_base = encoder->time_base;
    videoStream->avg_frame_rate = encoder->framerate;
    bottomUpRows = choice.codec == VideoCodec::Uncompressed;
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(encoder->pix_fmt);
    keepsAlpha = descriptor != nullptr && (descriptor->flags & AV_PIX_FMT_FLAG_ALPHA) != 0;
    frame = av_frame_alloc();
    packet = av_packet_alloc();
    if (frame == nullptr || packet == nullptr) {
      return AviWriteError::EncoderFailed;
    }
    frame->format = encoder->pix_fmt;
    frame->width = encoder->width;
    frame->height = encoder->height;
    return av_frame_get_buffer(frame, 0) < 0 ? AviWriteError::EncoderFailed : AviWriteError::None;
  }

  AviWriteError addAudioStream(const AviAudioFormat& audio) {
    audioStream = avformat_new_stream(format, nullptr);
    if (audioStream == nullptr) {
      return AviWriteError::EncoderFailed;
    }
    AVCodecParameters& parameters = *audioStream->codecpar;
    parameters.codec_type = AVMEDIA_TYPE_AUDIO;
    parameters.codec_id = audio.bitsPerSample == 8 ? AV_CODEC_ID_PCM_U8 : AV_CODEC_ID_PCM_S16LE;
    parameters.sample_rate = audio.sampleRate;
    av_channel_layout_default(&parameters.ch_layout, audio.channels);
    parameters.bits_per_coded_sample = audio.bitsPerSample;
    parameters.block_align = audio.channels * audio.bitsPerSample / 8;
    parameters.bit_rate = static_cast<std::int64_t>(audio.sampleRate) * parameters.block_align * 8;
    audioStream->time_base = AVRational{1, audio.sampleRate};
    return AviWriteError::None;
  }

  AviWriteError open() {
    const AVCodec* codec = findVideoEncoder(settings.codec.codec);
    if (codec == nullptr) {
      return AviWriteError::CodecUnavailable;
    }
    temporaryFile = temporaryPathFor(settings.file);
    if (avformat_alloc_output_context2(&format, nullptr, "avi", temporaryFile.c_str()) < 0) {
      return AviWriteError::EncoderFailed;
    }
    if (AviWriteError error = openEncoder(*codec); error != AviWriteError::None) {
      return error;
    }
    if (settings.audio) {
      if (AviWriteError error = addAudioStream(*settings.audio); error != AviWriteError::None) {
        return error;
      }
    }
    if (avio_open(&format->pb, temporaryFile.c_str(), AVIO_FLAG_WRITE) < 0) {
      return AviWriteError::CannotCreateFile;
    }
    fileOpen = true;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "flipped_raw_rgb", "1", 0);
    const int result = avformat_write_header(format, &options);
    av_dict_free(&options);
    return result < 0 ? AviWriteError::WriteFailed : AviWriteError::None;
  }

  // The frame's first plane as the picture's top row onwards: bottom-up frames start at their
  // last row and step backwards.
  void framePlanes(std::uint8_t* (&target)[4], int (&stride)[4]) const {
    for (int plane = 0; plane < 4; ++plane) {
      target[plane] = frame->data[plane];
      stride[plane] = frame->linesize[plane];
    }
    if (bottomUpRows) {
      target[0] += static_cast<std::ptrdiff_t>(settings.height - 1) * frame->linesize[0];
      stride[0] = -frame->linesize[0];
    }
  }

  bool fill(const Picture& picture, RowOrder rows) {
    if (av_frame_make_writable(frame) < 0) {
      return false;
    }
    const int rowBytes = picture.width * 4;
    const std::uint8_t* source = picture.pixels.data();
    int sourceStride = rowBytes;
    if (rows == RowOrder::BottomUp) {
      source += static_cast<std::ptrdiff_t>(picture.height - 1) * rowBytes;
      sourceStride = -rowBytes;
    }
    std::uint8_t* target[4];
    int targetStride[4];
    framePlanes(target, targetStride);
    if (picture.width == settings.width && picture.height == settings.height &&
        encoder->pix_fmt == AV_PIX_FMT_BGRA) {
      // Same size and layout: the scaler would only copy the rows.
      av_image_copy_plane(target[0], targetStride[0], source, sourceStride, rowBytes, picture.height);
      return true;
    }
    if (!scalerFits(picture) && !makeScaler(picture)) {
      return false;
    }
    return scaleInto(picture, source, sourceStride, target[0], targetStride[0]);
  }

  bool scalerFits(const Picture& picture) const {
    return scaler != nullptr && scalerWidth == picture.width && scalerHeight == picture.height;
  }

  // The conversion runs in slices on two threads; every row comes out as it does on one thread.
  bool makeScaler(const Picture& picture) {
    sws_freeContext(scaler);
    scaler = sws_alloc_context();
    const std::pair<const char*, std::int64_t> options[] = {{"srcw", picture.width},
                                                            {"srch", picture.height},
                                                            {"src_format", AV_PIX_FMT_BGRA},
                                                            {"dstw", settings.width},
                                                            {"dsth", settings.height},
                                                            {"dst_format", encoder->pix_fmt},
                                                            {"sws_flags", SWS_AREA | SWS_ACCURATE_RND},
                                                            {"threads", kScalerThreads}};
    bool set = scaler != nullptr;
    for (const auto& [name, value] : options) {
      set = set && av_opt_set_int(scaler, name, value, 0) >= 0;
    }
    if (!set || sws_init_context(scaler, nullptr, nullptr) < 0) {
      sws_freeContext(scaler);
      scaler = nullptr;
      return false;
    }
    scalerWidth = picture.width;
    scalerHeight = picture.height;
    return true;
  }

  // Frames over the picture's rows and over the output frame's (its first plane from `target`),
  // without copying either.
  bool scaleInto(const Picture& picture, const std::uint8_t* source, int sourceStride, std::uint8_t* target,
                 int targetStride) {
    AVFrame* input = av_frame_alloc();
    AVFrame* output = av_frame_alloc();
    bool scaled = input != nullptr && output != nullptr && av_frame_ref(output, frame) >= 0;
    if (scaled) {
      input->buf[0] = av_buffer_create(
          const_cast<std::uint8_t*>(picture.pixels.data()), picture.pixels.size(),
          [](void*, std::uint8_t*) {}, nullptr, AV_BUFFER_FLAG_READONLY);
      input->data[0] = const_cast<std::uint8_t*>(source);
      input->linesize[0] = sourceStride;
      input->width = picture.width;
      input->height = picture.height;
      input->format = AV_PIX_FMT_BGRA;
      output->data[0] = target;
      output->linesize[0] = targetStride;
      scaled = input->buf[0] != nullptr && sws_scale_frame(scaler, output, input) >= 0;
    }
    av_frame_free(&input);
    av_frame_free(&output);
    return scaled;
  }

  AviWriteError writePacket(AVStream* stream) {
    packet->stream_index = stream->index;
    const int result = av_write_frame(format, packet);
    av_packet_unref(packet);
    return result < 0 || format->pb->error < 0 ? AviWriteError::WriteFailed : AviWriteError::None;
  }

  AviWriteError drainEncoder() {
    for (;;) {
      const int result = avcodec_receive_packet(encoder, packet);
      if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
        return AviWriteError::None;
      }
      if (result < 0) {
        return AviWriteError::EncoderFailed;
      }
      av_packet_rescale_ts(packet, encoder->time_base, videoStream->time_base);
      if (AviWriteError error = writePacket(videoStream); error != AviWriteError::None) {
        return error;
      }
    }
  }

  AviWriteError appendFrame(const Picture& picture, RowOrder rows) {
    if (!fill(picture, rows)) {
      return AviWriteError::EncoderFailed;
    }
    frame->pts = framesWritten;
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    if (avcodec_send_frame(encoder, frame) < 0) {
      return AviWriteError::EncoderFailed;
    }
    const AviWriteError error = drainEncoder();
    if (error == AviWriteError::None) {
      framesWritten += 1;
    }
    return error;
  }

  // Codes queued pictures in order; after a failure the rest are dropped, so the file holds
  // exactly the pictures before it, as when each is written at once.
  void codeQueuedPictures() {
    std::unique_lock lock(queueMutex);
    for (;;) {
      queueChanged.wait(lock, [this] { return stopping || !queued.empty(); });
      if (stopping) {
        return;
      }
      QueuedPicture next = std::move(queued.front());
      queued.pop_front();
      coding = true;
      const bool failedBefore = queueError != AviWriteError::None;
      lock.unlock();
      if (!failedBefore && next.alpha == QueuedAlpha::Opaque && keepsAlpha) {
        makeOpaque(next.picture);
      }
      const AviWriteError error = failedBefore ? AviWriteError::None : appendFrame(next.picture, next.rows);
      lock.lock();
      if (queueError == AviWriteError::None) {
        queueError = error;
      }
      spareBuffers.push_back(std::move(next.picture.pixels));
      coding = false;
      queueChanged.notify_all();
    }
  }

  AviWriteError waitForQueue() {
    std::unique_lock lock(queueMutex);
    queueChanged.wait(lock, [this] { return queued.empty() && !coding; });
    return queueError;
  }

  // Lets the picture being coded finish and drops any still queued.
  void stopCoder() {
    if (!coder.joinable()) {
      return;
    }
    {
      const std::lock_guard lock(queueMutex);
      stopping = true;
    }
    queueChanged.notify_all();
    coder.join();
    queued.clear();
  }
};

AviWriter::AviWriter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
AviWriter::~AviWriter() = default;

std::unique_ptr<AviWriter> AviWriter::create(const AviWriterSettings& settings, AviWriteError& error) {
  quietFfmpegLog();
  if (!pictureSizeAcceptable(settings.width, settings.height) || settings.rate < 1 || settings.scale < 1 ||
      settings.file.empty() || (settings.audio && !audioFormatAcceptable(*settings.audio))) {
    error = AviWriteError::BadSettings;
    return nullptr;
  }
  auto impl = std::make_unique<Impl>();
  impl->settings = settings;
  error = impl->open();
  if (error != AviWriteError::None) {
    return nullptr;
  }
  return std::unique_ptr<AviWriter>(new AviWriter(std::move(impl)));
}

AviWriteError AviWriter::writeFrame(const Picture& picture, RowOrder rows) {
  Impl& writer = *impl_;
  writer.waitForQueue();
  if (writer.finished) {
    return AviWriteError::WriteFailed;
  }
  if (!pictureAcceptable(picture)) {
    return AviWriteError::BadSettings;
  }
  return writer.appendFrame(picture, rows);
}

AviWriteError AviWriter::queueFrame(Picture& picture, RowOrder rows, QueuedAlpha alpha) {
  Impl& writer = *impl_;
  if (writer.finished) {
    return AviWriteError::WriteFailed;
  }
  if (!pictureAcceptable(picture)) {
    return AviWriteError::BadSettings;
  }
  std::unique_lock lock(writer.queueMutex);
  if (writer.stopping) {
    return AviWriteError::WriteFailed;
  }
  writer.queueChanged.wait(lock, [&writer] {
    return writer.queued.size() < kQueuedPictures || writer.queueError != AviWriteError::None;
  });
  if (writer.queueError != AviWriteError::None) {
    return writer.queueError;
  }
  if (!writer.coder.joinable()) {
    writer.coder = std::thread([&writer] { writer.codeQueuedPictures(); });
  }
  QueuedPicture taken{{picture.width, picture.height, std::move(picture.pixels)}, rows, alpha};
  picture.pixels = {};
  if (!writer.spareBuffers.empty()) {
    picture.pixels = std::move(writer.spareBuffers.back());
    writer.spareBuffers.pop_back();
  }
  writer.queued.push_back(std::move(taken));
  writer.queueChanged.notify_all();
  return AviWriteError::None;
}

AviWriteError AviWriter::waitForQueuedFrames() {
  return impl_->waitForQueue();
}

AviWriteError AviWriter::writeAudio(std::span<const std::uint8_t> pcm) {
  Impl& writer = *impl_;
  writer.waitForQueue();
  if (writer.audioStream == nullptr || writer.finished) {
    return AviWriteError::WriteFailed;
  }
  const int blockAlign = writer.audioStream->codecpar->block_align;
  const std::size_t chunkFrames = std::max<std::size_t>(
      1, static_cast<std::size_t>(writer.settings.audio->sampleRate) * kAudioChunkMilliseconds / 1000);
  std::size_t frames = pcm.size() / blockAlign;
  std::size_t offset = 0;
  while (frames > 0) {
    const std::size_t chunk = std::min(frames, chunkFrames);
    const std::size_t bytes = chunk * blockAlign;
    if (av_new_packet(writer.packet, static_cast<int>(bytes)) < 0) {
      return AviWriteError::WriteFailed;
    }
    std::copy_n(pcm.data() + offset, bytes, writer.packet->data);
    writer.packet->pts = writer.audioFramesWritten;
    writer.packet->dts = writer.audioFramesWritten;
    writer.packet->duration = static_cast<std::int64_t>(chunk);
    writer.packet->flags |= AV_PKT_FLAG_KEY;
    if (AviWriteError error = writer.writePacket(writer.audioStream); error != AviWriteError::None) {
      return error;
    }
    writer.audioFramesWritten += static_cast<std::int64_t>(chunk);
    offset += bytes;
    frames -= chunk;
  }
  return AviWriteError::None;
}

AviWriteError AviWriter::finish() {
  Impl& writer = *impl_;
  // A queued picture that failed was reported already; the file ends with the ones before it.
  writer.waitForQueue();
  writer.stopCoder();
  if (writer.finished) {
    return AviWriteError::WriteFailed;
  }
  AviWriteError error = AviWriteError::None;
  if (avcodec_send_frame(writer.encoder, nullptr) < 0) {
    error = AviWriteError::EncoderFailed;
  }
  if (error == AviWriteError::None) {
    error = writer.drainEncoder();
  }
  if (error == AviWriteError::None && av_write_trailer(writer.format) < 0) {
    error = AviWriteError::WriteFailed;
  }
  writer.fileOpen = false;
  if (avio_closep(&writer.format->pb) < 0 && error == AviWriteError::None) {
    error = AviWriteError::WriteFailed;
  }
  if (error != AviWriteError::None) {
    return error;
  }
  std::error_code renameError;
  std::filesystem::rename(writer.temporaryFile, writer.settings.file, renameError);
  if (renameError) {
    return AviWriteError::CannotCreateFile;
  }
  writer.finished = true;
  return AviWriteError::None;
}

std::int64_t AviWriter::framesWritten() const {
  return impl_->framesWritten;
}

}  // namespace zv::port
