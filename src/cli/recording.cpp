#include "cli/recording.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>

#include "anim/sampling.h"
#include "app/frame_step.h"
#include "media/background_video.h"

namespace zv::cli {
namespace {

namespace fs = std::filesystem;

fs::path partialPath(const fs::path& target) {
  return target.parent_path() /
         (".zolvanta-" + std::to_string(::getpid()) + "-" + target.filename().string());
}

// The music the file may carry: parsed only, never played.
bool openMusic(HeadlessScene& headless, fs::path wavPath, std::optional<port::AviAudioFormat>& format) {
  if (wavPath.empty()) {
    return true;
  }
  WavPlayer& wav = headless.systems->wav;
  if (!open(wav, wavPath, headless.scene->exeDirectory)) {
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

bool exportReported(const CliUi& ui, std::size_t shownBefore) {
  return std::any_of(ui.messages.begin() + static_cast<std::ptrdiff_t>(shownBefore), ui.messages.end(),
                     [](const port::ShownMessage& message) { return message.caption == kExportCaption; });
}

}  // namespace

bool recordAvi(HeadlessScene& headless, const RecordingSettings& settings, const fs::path& wavPath) {
  Scene& scene = *headless.scene;
  FrameSystems& systems = *headless.systems;
  std::optional<port::AviAudioFormat> wavFormat;
  if (!openMusic(headless, wavPath, wavFormat)) {
    return false;
  }
  RecordingSettings partial = settings;
  partial.recordPath = partialPath(settings.recordPath);
  const std::size_t shownBefore = headless.ui.messages.size();
  if (startRecording(scene, systems.aviExport, partial, wavFormat) != port::AviWriteError::None) {
    return false;
  }
  scene.playRangeStartTime = static_cast<float>(settings.recordStartFrame) / kFramesPerSecond;
  scene.playRangeEndTime = static_cast<float>(settings.recordEndFrame) / kFramesPerSecond;
  seekScene(scene);
  followRecording(systems.backgrounds, settings.recordStartFrame, settings.recordFrameRate);
  for (std::int64_t step = stepLimit(settings); scene.recording && step > 0; --step) {
    frameStep(scene, systems);
  }
  const bool reachedEnd = !scene.recording;
  if (!reachedEnd) {
    scene.playing = false;
    finishRecording(scene, systems.aviExport, {});
    std::fprintf(stderr, "zolvanta-cli: the recording did not reach its end frame\n");
  }
  std::error_code error;
  if (!reachedEnd || exportReported(headless.ui, shownBefore) || !fs::exists(partial.recordPath, error)) {
    fs::remove(partial.recordPath, error);
    return false;
  }
  fs::rename(partial.recordPath, settings.recordPath, error);
  if (error) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(kExportCaption.size()), kExportCaption.data(),
                 static_cast<int>(kExportCreateMessage.size()), kExportCreateMessage.data());
    fs::remove(partial.recordPath, error);
    return false;
  }
  return true;
}

}  // namespace zv::cli
