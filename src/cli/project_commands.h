// The command-line tool's project commands: `info PROJECT.tsf` and `resave IN.tsf OUT.tsf`.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>

namespace zv::cli {

// The scene as the window's "開く" leaves it, as JSON of the kind "project".
int infoProject(const std::filesystem::path& path);

// Opens IN as "開く" does and saves the scene to OUT as "上書き保存" does.
int runResave(std::span<const std::string_view> arguments);

}  // namespace zv::cli
