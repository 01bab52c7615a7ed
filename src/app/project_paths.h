// Where the files a project names are kept: paths are stored in CP932 with '\' separators; a file
// inside the program folder is stored relative to it, so that a project moves with the program.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

// The stored form of `native`: relative when it lies inside `programFolder`, absolute otherwise.
std::string storedProjectPath(const std::filesystem::path& native,
                              const std::filesystem::path& programFolder);

// The native path of a stored one; a relative stored path resolves against `programFolder`.
// Empty for an empty stored path.
std::filesystem::path nativeProjectPath(std::string_view stored, const std::filesystem::path& programFolder);

}  // namespace zv
