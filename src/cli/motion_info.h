// `info` for a motion file: every record it holds, as JSON.
#pragma once

#include <filesystem>

#include "cli/json_writer.h"
#include "files/motion/motion_format.h"

namespace zv::cli {

void writeMotionInfo(const MotionFile& motion, JsonWriter& json);

// Prints the JSON of the motion file at `path`; a file the program would refuse or find cut is
// refused with its message. The exit status.
int infoMotion(const std::filesystem::path& path);

}  // namespace zv::cli
