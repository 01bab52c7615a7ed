// Writing an AVI file: one video stream in the chosen codec and, when asked for, one PCM audio
// stream. The file is built under a temporary name beside the target and renamed over it only
// when finished, so an export that fails or is abandoned never leaves a half-written AVI.
//
// Pictures can be written at once (writeFrame) or queued (queueFrame): a queued picture is
// converted, coded and written on the writer's own thread while the caller draws the next one.
// Both give the same bytes. Every other call waits for the queued pictures first, so audio,
// finishing and the frame count follow them in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

#include "port/video/picture.h"
#include "port/video/video_codecs.h"

namespace zv::port {

// PCM as WAV files hold it: 8-bit unsigned or 16-bit signed little-endian, channels interleaved.
struct AviAudioFormat {
  int channels = 2;
  int sampleRate = 44100;
  int bitsPerSample = 16;
};

struct AviWriterSettings {
  std::filesystem::path file;
  int width = 0;   // of every picture in the file
  int height = 0;  // (pictures of other sizes are scaled to it)
  int rate = 0;    // the stream shows `rate` pictures every `scale` seconds
  int scale = 1;
  VideoCodecChoice codec;
  std::optional<AviAudioFormat> audio;  // declares the audio stream; its samples come later
};

// What a queued picture's alpha becomes: as given, or 255 everywhere (set on the writer's thread,
// and only where the codec keeps alpha at all).
enum class QueuedAlpha { AsGiven, Opaque };

enum class AviWriteError {
  None,
  BadSettings,       // a size, rate or audio format out of range
  SizeNotEven,       // the codec stores colour at half resolution and needs even sides
  CodecUnavailable,  // this FFmpeg has no encoder for the codec
  CannotCreateFile,
  EncoderFailed,
  WriteFailed,
};

class AviWriter {
 public:
  // A writer with the file's header written, or null with `error` saying why (no file is left).
  static std::unique_ptr<AviWriter> create(const AviWriterSettings& settings, AviWriteError& error);
  // Deleting an unfinished writer deletes its temporary file; the target is left as it was.
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  // Appends one picture, its rows stored in `rows` order, as the next frame.
  AviWriteError writeFrame(const Picture& picture, RowOrder rows = RowOrder::TopDown);
  // Takes the picture's pixels to be appended as the next frame on the writer's thread and returns
  // once at most `kQueuedPictures` wait, leaving `picture` with a spent buffer to fill next. A
  // picture of a bad size is refused here; a failure to code or write one is returned by the
  // following call, and the pictures queued after it are dropped.
  AviWriteError queueFrame(Picture& picture, RowOrder rows = RowOrder::TopDown,
                           QueuedAlpha alpha = QueuedAlpha::AsGiven);
  // Waits until every queued picture is written; the first failure among them.
  AviWriteError waitForQueuedFrames();
  // Appends PCM bytes to the audio stream; a trailing partial sample frame is dropped.
  AviWriteError writeAudio(std::span<const std::uint8_t> pcm);
  // Drains the encoder, writes the index and puts the file in place. The writer is spent after.
  AviWriteError finish();

  // Pictures appended so far; a queued one counts once it is coded and written.
  std::int64_t framesWritten() const;

  // Pictures that may wait in the queue besides the one being coded: memory stays bounded while
  // a slow disk or coder holds the caller back.
  static constexpr std::size_t kQueuedPictures = 1;

 private:
  struct Impl;
  explicit AviWriter(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace zv::port
