#include "app/recording_commands.h"

#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {

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

}  // namespace zv
