#include "media/avi_export.h"

#include <string>

#include "media/avi_export_timing.h"

namespace zv {

namespace {

Message exportMessage(std::string_view text) {
  return {std::string(text), std::string(kExportCaption), true};
}

RecordingStart refusedStart(port::AviWriteError error, std::string_view text) {
  return {error, {exportMessage(text)}};
}

Outcome writeFailure(AviExport& aviExport) {
  aviExport.failed = true;
  return {false, {exportMessage(kExportWriteMessage)}};
}

std::string_view startFailureMessage(port::AviWriteError error) {
  switch (error) {
    case port::AviWriteError::BadSettings:
      return kExportSizeMessage;
    case port::AviWriteError::SizeNotEven:
      return kExportEvenSizeMessage;
    case port::AviWriteError::CodecUnavailable:
    case port::AviWriteError::EncoderFailed:
      return kExportCodecMessage;
    default:
      return kExportCreateMessage;
  }
}

// Ends the recording and puts the file in place; false when the file could not be finished.
bool closeRecording(Scene& scene, AviExport& aviExport, std::span<const std::uint8_t> wavPcm) {
  scene.recording = false;
  aviExport.backBuffer = {};
  aviExport.picturesReadingBack = 0;
  if (aviExport.writer == nullptr) {
    return true;
  }
  if (aviExport.audio) {
    const int blockAlign = aviExport.audio->channels * aviExport.audio->bitsPerSample / 8;
    const std::int64_t frames = recordedAudioFrames(static_cast<std::int64_t>(wavPcm.size()) / blockAlign,
                                                    aviExport.audio->sampleRate, scene.currentTime);
    // A failed copy leaves the file with the part of the music written; the video is kept.
    aviExport.writer->writeAudio(wavPcm.first(static_cast<std::size_t>(frames) * blockAlign));
  }
  const bool finished = aviExport.writer->finish() == port::AviWriteError::None;
  aviExport.writer.reset();
  aviExport.audio.reset();
  return finished;
}

// A picture could not be written: the recording ends with the pictures before it, kept or
// abandoned as the caller chose.
Outcome endAfterFailedPicture(Scene& scene, AviExport& aviExport) {
  scene.playing = false;
  aviExport.audio.reset();
  if (aviExport.keepPartOnWriteFailure) {
    closeRecording(scene, aviExport, {});
  } else {
    abandonRecording(scene, aviExport);
  }
  return writeFailure(aviExport);
}

void countWritten(AviExport& aviExport) {
  aviExport.framesWritten = static_cast<std::int32_t>(aviExport.writer->framesWritten());
}

}  // namespace

RecordingStart startRecording(Scene& scene, AviExport& aviExport, const RecordingSettings& settings,
                              std::optional<port::AviAudioFormat> wavFormat) {
  aviExport.writer.reset();
  aviExport.failed = false;
  if (settings.recordEndFrame < settings.recordStartFrame) {
    return refusedStart(port::AviWriteError::BadSettings, kExportRangeMessage);
  }
  if (!recordFrameRateAcceptable(settings.recordFrameRate)) {
    return refusedStart(port::AviWriteError::BadSettings, kExportRateMessage);
  }
  if (!port::pictureSizeAcceptable(scene.outputWidth, scene.outputHeight)) {
    return refusedStart(port::AviWriteError::BadSettings, kExportSizeMessage);
  }
  std::optional<port::AviAudioFormat> audio;
  if (settings.recordWave && settings.recordStartFrame == 0) {
    audio = wavFormat;
  }
  const StreamRate rate = recordingStreamRate(settings.recordFrameRate);
  port::AviWriteError error = port::AviWriteError::None;
  aviExport.writer = port::AviWriter::create({settings.recordPath, scene.outputWidth, scene.outputHeight,
                                              rate.rate, rate.scale, settings.codec, audio},
                                             error);
  if (aviExport.writer == nullptr) {
    return refusedStart(error, startFailureMessage(error));
  }
  aviExport.settings = settings;
  aviExport.audio = audio;
  aviExport.framesWritten = 0;
  aviExport.picturesTaken = 0;
  aviExport.picturesReadingBack = 0;
  aviExport.picturesTotal =
      recordingPictureCount(settings.recordStartFrame, settings.recordEndFrame, settings.recordFrameRate);
  aviExport.elapsedSeconds = 0.0;
  aviExport.frameBytes = scene.outputWidth * scene.outputHeight * 4;
  scene.recording = true;
  scene.playing = true;
  scene.currentTime = static_cast<float>(settings.recordStartFrame) / kFramesPerSecond;
  return {};
}

bool advanceRecordingClock(Scene& scene, const AviExport& aviExport) {
  const RecordingSettings& settings = aviExport.settings;
  const std::int32_t drawn = picturesDrawn(aviExport);
  scene.currentTime =
      recordedFramePosition(settings.recordStartFrame, drawn, settings.recordFrameRate) / kFramesPerSecond;
  return !recordingPastEnd(settings.recordStartFrame, settings.recordEndFrame, drawn,
                           settings.recordFrameRate);
}

Outcome writeFrame(Scene& scene, AviExport& aviExport, const port::Picture& backBuffer, port::RowOrder rows) {
  if (aviExport.writer == nullptr) {
    return {};
  }
  const port::AviWriteError error = aviExport.writer->writeFrame(backBuffer, rows);
  countWritten(aviExport);
  if (error != port::AviWriteError::None) {
    return endAfterFailedPicture(scene, aviExport);
  }
  aviExport.picturesTaken += 1;
  return {true, {}};
}

Outcome queueFrame(Scene& scene, AviExport& aviExport, port::Picture& backBuffer, port::RowOrder rows,
                   port::QueuedAlpha alpha) {
  if (aviExport.writer == nullptr) {
    return {};
  }
  const port::AviWriteError error = aviExport.writer->queueFrame(backBuffer, rows, alpha);
  countWritten(aviExport);
  if (error != port::AviWriteError::None) {
    return endAfterFailedPicture(scene, aviExport);
  }
  aviExport.picturesTaken += 1;
  return {true, {}};
}

std::int32_t picturesDrawn(const AviExport& aviExport) {
  return aviExport.picturesTaken + aviExport.picturesReadingBack;
}

Outcome finishRecording(Scene& scene, AviExport& aviExport, std::span<const std::uint8_t> wavPcm) {
  if (aviExport.writer != nullptr) {
    const port::AviWriteError queued = aviExport.writer->waitForQueuedFrames();
    countWritten(aviExport);
    if (queued != port::AviWriteError::None) {
      return endAfterFailedPicture(scene, aviExport);
    }
  }
  if (!closeRecording(scene, aviExport, wavPcm)) {
    return writeFailure(aviExport);
  }
  return {true, {}};
}

void abandonRecording(Scene& scene, AviExport& aviExport) {
  aviExport.writer.reset();  // an unfinished writer takes its temporary file with it
  closeRecording(scene, aviExport, {});
}

}  // namespace zv
