// `zolvanta-cli render` (one picture as PNG) and `zolvanta-cli export` (an AVI file): the scene
// drawn headless by the program's own frame step, the 3D picture without overlays as a recording
// takes it.
#pragma once

#include <span>
#include <string_view>

namespace zv::cli {

int runRender(std::span<const std::string_view> arguments);
int runExport(std::span<const std::string_view> arguments);

}  // namespace zv::cli
