// `info` for props: an X file's frame tree, or a descriptor's starting values and the tree of the
// X file it names.
#pragma once

#include <filesystem>

namespace zv::cli {

// Prints the JSON of the X file at `path` (looked for under UserFile/Accessory as the program
// does); a file the reader refuses exits with its message. The exit status.
int infoXFile(const std::filesystem::path& path);

// Prints the descriptor at `path`; "x" holds the named X file's tree, or null with "xFailure"
// saying why it could not be read. Only an unreadable descriptor is refused. The exit status.
int infoDescriptor(const std::filesystem::path& path);

}  // namespace zv::cli
