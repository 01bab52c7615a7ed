#include "cli/recording.h"

#include <cmath>
#include <cstdio>

#include "anim/sampling.h"
#include "app/frame_step.h"
#include "app/recording_commands.h"
#include "cli/progress_line.h"
#include "media/avi_export_timing.h"
#include "media/background_video.h"
#include "ui/message_boxes.h"

namespace zv::cli {
namespace {

namespace fs = std::filesystem;

// The music the file may carry: parsed only, never played.
bool openMusic(HeadlessScene& headless, fs::path wavPath, std::optional<port::AviAudioFormat>& format) {
  if (wavPath.empty()) {
    return true;
  }
  WavPlayer& wav = headless.systems->wav;
  const Outcome opened = open(wav, wavPath, headless.scene->exeDirectory);
  showMessages(headless.ui, opened.messages);
  if (!opened) {
    return false;
  }
  format = port::AviAudioFormat{wav.format.channels, static_cast<int>(wav.format.samplesPerSecond),
                                wav.format.bitsPerSample};
  return true;
}

// More steps than the recording can take; a clock that never passes the end cannot hang the tool.
std::int64_t stepLimit(const RecordingSettings& settings) {
  const double frames = static_cast<double>(settings.recordEndFrame - settings.recordStartFrame) + 2.0;
  return static_cast<std::int64_t>(std::ceil(frames * settings.recordFrameRate / kFramesPerSecond)) + 2;
}

}  // namespace

bool recordAvi(HeadlessScene& headless, const RecordingSettings& settings, const fs::path& wavPath) {
  Scene& scene = *headless.scene;
  FrameSystems& systems = *headless.systems;
  std::optional<port::AviAudioFormat> wavFormat;
  if (!openMusic(headless, wavPath, wavFormat)) {
    return false;
  }
  systems.aviExport.keepPartOnWriteFailure = false;
  if (startRecording(scene, systems.aviExport, settings, wavFormat, headless.ui).error !=
      port::AviWriteError::None) {
    return false;
  }
  positionAtRecordStart(scene, systems, settings);
  ProgressLine progress = startProgress(
      recordingPictureCount(settings.recordStartFrame, settings.recordEndFrame, settings.recordFrameRate));
  for (std::int64_t step = stepLimit(settings); scene.recording && step > 0; --step) {
    frameStep(scene, systems);
    showProgress(progress, systems.aviExport.framesWritten);
  }
  endProgress(progress);
  if (scene.recording) {
    scene.playing = false;
    abandonRecording(scene, systems.aviExport);
    std::fprintf(stderr, "zolvanta-cli: the recording did not reach its end frame\n");
    return false;
  }
  return !systems.aviExport.failed;
}

std::optional<RgbaImage> recordedPicture(HeadlessScene& headless, std::uint32_t frame) {
  Scene& scene = *headless.scene;
  scene.playing = true;
  scene.currentTime = static_cast<float>(frame) / kFramesPerSecond;
  scene.playRangeStartTime = scene.currentTime;
  scene.playRangeEndTime = scene.currentTime;
  seekScene(scene);
  // As the first picture of a recording from `frame` at 30 pictures per second: a frame-locked
  // background video then shows its frame `frame` by the recording's counter, not by a clock
  // whose rounding can land on the frame before.
  followRecording(headless.systems->backgrounds, frame, kFramesPerSecond);
  scene.recording = true;
  std::optional<RgbaImage> picture = recordingPicture(scene, *headless.systems);
  scene.recording = false;
  return picture;
}

}  // namespace zv::cli
