// Recording as the window shows it: refusals and write failures in boxes of their own, and the
// play button disabled exactly while a recording runs.
#pragma once

#include <optional>

#include "media/avi_export.h"
#include "port/ui.h"
#include "scene/document/scene.h"

namespace zv {

// startRecording with its refusal shown and the play button following.
RecordingStart startRecording(Scene& scene, AviExport& aviExport, const RecordingSettings& settings,
                              std::optional<port::AviAudioFormat> wavFormat, port::Ui& ui);

// Shows what a step of the recording (a picture written, the file finished) had to say, and the
// play button as the recording now stands.
void showRecordingStep(const Scene& scene, const Outcome& step, port::Ui& ui);

}  // namespace zv
