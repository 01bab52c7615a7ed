// Pose files (.vpd): the pose of some bones of one model as Shift-JIS text with CR LF line ends,
// moved between models by bone name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

// One bone entry of a pose file.
struct PoseFileEntry {
  std::string boneName;  // CP932, at most 20 bytes
  Vec3 translation;
  Quat rotation;
};

// The file text for the selected bones of `model` (bone 0 included when selected).
std::string formatPoseFile(const Model& model);

// The entries of a pose file's text, CR LF or LF. An entry whose header has no "{" or whose
// numbers do not read is left out; the count line never sizes anything.
std::vector<PoseFileEntry> parsePoseFile(std::string_view text);

// Writes the current model's selected bones to `path`, replacing it whole. On failure the old
// file stays and the result carries the message for the user.
Outcome savePose(Scene& scene, const std::filesystem::path& path);

// Applies `path` to the current model: every bone whose name equals an entry's (byte for byte,
// 20 bytes at most) takes its translation and rotation and becomes selected and moved. One pose
// undo step records exactly the bones changed. A file that cannot be opened changes nothing.
bool loadPose(Scene& scene, const std::filesystem::path& path);

}  // namespace zv
