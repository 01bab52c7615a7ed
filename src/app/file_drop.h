// Files dropped on the main window do what the menu or panel command for their kind does, without
// its dialog: a model is added, a motion, pose, music, background or prop loaded, a project opened
// after the unsaved-changes question.
#pragma once

#include <filesystem>
#include <string_view>

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kUnknownDropMessage = "このファイルは読み込めません\n%s";
inline constexpr std::string_view kDropCaption = "ファイルのドロップ";

// Loads `file` by its extension (in any letter case). A kind the program does not read is refused
// with kUnknownDropMessage naming the file, and changes nothing.
void openDroppedFile(Scene& scene, FrameSystems& systems, const std::filesystem::path& file);

}  // namespace zv
