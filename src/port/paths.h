// Paths: native (UTF-8, '/') inside the program; the stored form (CP932, '\') in files that keep paths.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zv::port {

// A path longer than the 256-byte field that stores it is unusable.
inline constexpr std::size_t kMaxStoredPathBytes = 255;

// Folder of the running executable; every relative path of the program resolves against it.
std::filesystem::path executableDirectory();

// Native path -> the form project files store: CP932 with '\' separators.
std::string toStoredPath(const std::filesystem::path& native);

// Stored CP932 path with '\' separators -> native path. The separators are turned after the
// conversion, so a CP932 trail byte 0x5C ("表", "ソ") is never taken for one.
std::filesystem::path fromStoredPath(std::string_view stored);

// `path` if it exists; otherwise the same path with each missing component matched without regard
// to ASCII case (files made on Windows say "Face.BMP" for "face.bmp"); otherwise `path` unchanged.
std::filesystem::path resolveCaseInsensitive(const std::filesystem::path& path);

// `folder` / the file name of `path`: the fall-back for a stored path that no longer opens.
std::filesystem::path underFolder(const std::filesystem::path& folder, const std::filesystem::path& path);

// Where a file that no longer opens at `path` is looked for again: executableDirectory/UserFile/
// `folder`/<name>, matched without regard to case, where <name> is the part of `path` after the
// last '/' before the first `extension` (".wav"; failing that, its upper-case form ".WAV"). Nothing
// when the path has neither, has no folder before the name, names more than one component after
// it, or would be too long to store.
std::optional<std::filesystem::path> userFileFallback(const std::filesystem::path& path,
                                                      const std::filesystem::path& executableDirectory,
                                                      std::string_view folder, std::string_view extension);

}  // namespace zv::port
