// Recording the headless scene into an AVI file exactly as the window's export does: the frame
// step runs once per picture until the frame past the end is reached.
#pragma once

#include <filesystem>

#include "cli/headless_scene.h"
#include "media/avi_export.h"

namespace zv::cli {

// Records `settings` (its recordPath is the file to make) and, when `wavPath` is not empty and
// the recording starts at frame 0 with recordWave set, the music as its audio stream. The file
// is made under a temporary name and put in place only when the whole recording worked, so a
// failure leaves any earlier file as it was. False after the program's message on stderr.
bool recordAvi(HeadlessScene& headless, const RecordingSettings& settings,
               const std::filesystem::path& wavPath);

}  // namespace zv::cli
