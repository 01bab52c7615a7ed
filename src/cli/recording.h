// Recording the headless scene into an AVI file exactly as the window's export does: the frame
// step runs once per picture until the frame past the end is reached.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "cli/headless_scene.h"
#include "media/avi_export.h"

namespace zv::cli {

// Records `settings` (its recordPath is the file to make) and, when `wavPath` is not empty and
// the recording starts at frame 0 with recordWave set, the music as its audio stream. The file
// is put in place only when the whole recording worked, so a failure leaves any earlier file as
// it was. False after the program's message on stderr.
bool recordAvi(HeadlessScene& headless, const RecordingSettings& settings,
               const std::filesystem::path& wavPath);

// The picture a recording of `frame` would write, taken without making a file.
std::optional<RgbaImage> recordedPicture(HeadlessScene& headless, std::uint32_t frame);

}  // namespace zv::cli
