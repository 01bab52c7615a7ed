// The loads behind the file menu's commands, given the file already chosen: the menus call them
// after their dialogs, and a file dropped on the window goes to them directly. Each shows its own
// messages and returns true when the scene changed.
#pragma once

#include <filesystem>

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// The pose applies to the current model in model mode; otherwise nothing happens.
bool loadPoseFile(Scene& scene, FrameSystems& systems, const std::filesystem::path& path);
// Tells the user when sound is unavailable.
bool loadWavFile(Scene& scene, FrameSystems& systems, std::filesystem::path path);
bool loadBackgroundVideoFile(Scene& scene, FrameSystems& systems, const std::filesystem::path& path);
bool loadBackgroundImageFile(Scene& scene, FrameSystems& systems, const std::filesystem::path& path);

}  // namespace zv
