// `info` for video files: the container and each stream as the export and the background read them.
#pragma once

#include <filesystem>

namespace zv::cli {

// Prints the streams of the file at `path`; a file that does not open as video is refused with
// the background loader's message. The exit status.
int infoVideo(const std::filesystem::path& path);

}  // namespace zv::cli
