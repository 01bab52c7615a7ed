// Where a WAV that no longer opens at its own path is looked for again.
#pragma once

#include <filesystem>
#include <optional>

namespace zv {

// executableDirectory/UserFile/Wave/<name>, where <name> is the part of `path` after the last '/'
// that comes before the first ".wav" (or, failing that, ".WAV"). Nothing when the path has neither,
// has no folder before it, names more than one component after it, or would be too long to store
// (255 bytes in CP932).
std::optional<std::filesystem::path> wavFallbackPath(const std::filesystem::path& path,
                                                     const std::filesystem::path& executableDirectory);

}  // namespace zv
