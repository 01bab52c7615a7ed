#include "scene/clipboard/pose_clipboard.h"

#include <algorithm>
#include <optional>

#include "scene/keys/key_bone_lookup.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

struct PoseWrite {
  std::uint32_t bone = 0;
  Vec3 translation;
  Quat rotation;
};

PoseWrite mirroredWrite(const Model& model, std::uint32_t bone, const CopiedBonePose& entry) {
  const std::optional<std::uint32_t> partner = findMirroredBone(model, entry.boneName);
  const Vec3 t = entry.translation;
  const Quat q = entry.rotation;
  return {partner.value_or(bone), {-t.x, t.y, t.z}, {q.x, -q.y, -q.z, q.w}};
}

// Where each entry lands, with the values it brings; entries naming no bone drop out.
std::vector<PoseWrite> poseWrites(const Model& model, const PoseClipboard& clipboard, bool mirrored) {
  std::vector<PoseWrite> writes;
  for (const CopiedBonePose& entry : clipboard.bones) {
    const std::optional<std::uint32_t> bone = findBoneByName(model, entry.boneName);
    if (!bone) {
      continue;
    }
    const PoseWrite write =
        mirrored ? mirroredWrite(model, *bone, entry) : PoseWrite{*bone, entry.translation, entry.rotation};
    if (write.bone < model.boneSelected.size() && write.bone < model.boneMoved.size()) {
      writes.push_back(write);
    }
  }
  return writes;
}

bool pasteWrites(Scene& scene, bool mirrored) {
  Model* model = currentModel(scene);
  if (!model || scene.poseClipboard.bones.empty()) {
    return false;
  }
  const std::vector<PoseWrite> writes = poseWrites(*model, scene.poseClipboard, mirrored);
  std::ranges::fill(model->boneSelected, 0);
  if (!writes.empty()) {
    std::vector<std::uint32_t> bones;
    for (const PoseWrite& write : writes) {
      bones.push_back(write.bone);
    }
    beginPoseStep(scene, *model, scene.currentFrame, bones);
  }
  for (const PoseWrite& write : writes) {
    Bone& bone = model->bones[write.bone];
    bone.keyTranslation = write.translation;
    bone.keyRotation = write.rotation;
    model->boneSelected[write.bone] = 1;
    model->boneMoved[write.bone] = 1;
  }
  model->selectedBone = -1;
  return true;
}

}  // namespace

bool copyPose(Scene& scene) {
  const Model* model = currentModel(scene);
  if (!model) {
    return false;
  }
  std::vector<CopiedBonePose> copied;
  const std::size_t count = std::min(model->bones.size(), model->boneSelected.size());
  for (std::size_t bone = 0; bone < count; ++bone) {
    if (model->boneSelected[bone]) {
      const Bone& source = model->bones[bone];
      copied.push_back({source.name, source.keyTranslation, source.keyRotation});
    }
  }
  if (copied.empty()) {
    return false;
  }
  scene.poseClipboard.bones = std::move(copied);
  return true;
}

bool pastePose(Scene& scene) {
  return pasteWrites(scene, false);
}

bool pasteMirroredPose(Scene& scene) {
  return pasteWrites(scene, true);
}

}  // namespace zv
