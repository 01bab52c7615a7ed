// Recording as the window shows it: refusals and write failures in boxes of their own, the play
// button disabled exactly while a recording runs, and the editing controls locked as in playback.
#pragma once

#include <optional>
#include <string>

#include "app/frame_systems.h"
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

// The loaded music's format, for the audio stream of a recording; nothing without music.
std::optional<port::AviAudioFormat> musicFormat(const FrameSystems& systems);

// A started recording's play range, every track at its start frame and the background video
// following it: what the window and the command-line export share.
void positionAtRecordStart(Scene& scene, FrameSystems& systems, const RecordingSettings& settings);

// Starts recording from the window: the play range and every track at the start frame, the
// background video following, the editing controls locked. False, with the reason shown, when the
// recording cannot start.
bool startWindowRecording(Scene& scene, FrameSystems& systems, const RecordingSettings& settings);

// Ends a running recording (its end frame passed, or Esc): playing stops, the controls come back
// and the file is finished with the music up to where the recording stopped, whole and playable.
// Does nothing when no recording runs.
void stopRecording(Scene& scene, FrameSystems& systems);

// Where a running recording stands for the window: "pictures written/total" and the real time
// left at the pace so far ("--:--" before the first picture).
std::string recordingProgress(const AviExport& aviExport);

}  // namespace zv
