#include "app/recording_commands.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "anim/sampling.h"
#include "app/recording_frames.h"
#include "media/background_video.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"
#include "ui/playback_lock.h"

namespace zv {
namespace {

// The music the recording carries: the whole data chunk of the loaded WAV, when the file has an
// audio stream at all.
std::vector<std::uint8_t> recordedMusic(const FrameSystems& systems) {
  const WavPlayer& wav = systems.wav;
  if (!systems.aviExport.audio || wav.path.empty() || wav.dataBytes <= 0) {
    return {};
  }
  std::ifstream file(wav.path, std::ios::binary);
  file.seekg(wav.dataOffset);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(wav.dataBytes));
  file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
  // A file cut short since it was opened gives what it still has.
  data.resize(static_cast<std::size_t>(file.gcount()));
  return data;
}

}  // namespace

RecordingStart startRecording(Scene& scene, AviExport& aviExport, const RecordingSettings& settings,
                              std::optional<port::AviAudioFormat> wavFormat, port::Ui& ui) {
  RecordingStart start = startRecording(scene, aviExport, settings, wavFormat);
  showMessages(ui, start.messages);
  ui.enableControl(kPlayButton, !scene.recording);
  return start;
}

void showRecordingStep(const Scene& scene, const Outcome& step, port::Ui& ui) {
  showMessages(ui, step.messages);
  ui.enableControl(kPlayButton, !scene.recording);
}

std::optional<port::AviAudioFormat> musicFormat(const FrameSystems& systems) {
  if (!wavLoaded(systems)) {
    return std::nullopt;
  }
  const PcmFormat& format = systems.wav.format;
  return port::AviAudioFormat{format.channels, static_cast<int>(format.samplesPerSecond),
                              format.bitsPerSample};
}

void positionAtRecordStart(Scene& scene, FrameSystems& systems, const RecordingSettings& settings) {
  scene.playRangeStartTime = static_cast<float>(settings.recordStartFrame) / kFramesPerSecond;
  scene.playRangeEndTime = static_cast<float>(settings.recordEndFrame) / kFramesPerSecond;
  seekScene(scene);
  followRecording(systems.backgrounds, settings.recordStartFrame, settings.recordFrameRate);
}

bool startWindowRecording(Scene& scene, FrameSystems& systems, const RecordingSettings& settings) {
  port::Ui& ui = *systems.ui;
  if (startRecording(scene, systems.aviExport, settings, musicFormat(systems), ui).error !=
      port::AviWriteError::None) {
    return false;
  }
  positionAtRecordStart(scene, systems, settings);
  lockForPlayback(ui, systems.panels.playbackLock);
  return true;
}

void stopRecording(Scene& scene, FrameSystems& systems) {
  if (!scene.recording) {
    return;
  }
  scene.playing = false;
  unlockAfterPlayback(*systems.ui, systems.panels.playbackLock);
  const Outcome lastPictures = handOverPicturesReadingBack(scene, systems);
  if (!lastPictures) {
    showRecordingStep(scene, lastPictures, *systems.ui);
    return;
  }
  showRecordingStep(scene, finishRecording(scene, systems.aviExport, recordedMusic(systems)), *systems.ui);
}

std::string recordingProgress(const AviExport& aviExport) {
  const std::int32_t written = aviExport.framesWritten;
  const std::int32_t total = aviExport.picturesTotal;
  char text[96];
  if (written <= 0) {
    std::snprintf(text, sizeof text, "%d/%d 残り--:--", written, total);
    return text;
  }
  const double left = aviExport.elapsedSeconds / written * std::max(0, total - written);
  const long long seconds = static_cast<long long>(left + 0.5);
  std::snprintf(text, sizeof text, "%d/%d 残り%lld:%02lld", written, total, seconds / 60, seconds % 60);
  return text;
}

}  // namespace zv
