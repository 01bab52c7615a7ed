#include "files/motion/motion_file.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "anim/sampling.h"
#include "files/common/atomic_write.h"
#include "port/file_bytes.h"
#include "port/text.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

// Loaded keys land on frames a signed frame counter can still reach.
constexpr std::uint64_t kLastLoadableFrame = std::numeric_limits<std::int32_t>::max();

std::string withNumber(std::string_view format, int number) {
  std::string text(format);
  return text.replace(text.find("%d"), 2, std::to_string(number));
}

std::string withText(std::string_view format, std::string_view value) {
  std::string text(format);
  return text.replace(text.find("%s"), 2, value);
}

Outcome refused(std::string text, std::string_view caption) {
  return {false, {{std::move(text), std::string(caption)}}};
}

struct SelectedKey {
  std::uint32_t index;
  std::uint32_t head;  // the head of the track holding it: the bone or morph index
};

// The selected keys that sit on a track, in pool-index order, each with its track's head. The
// tracks are walked once from their heads, so a key's track is known without walking back.
template <typename Record>
std::vector<SelectedKey> selectedKeysOnTracks(const KeyPool<Record>& pool) {
  constexpr std::uint32_t kNoTrack = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> owner(pool.extent(), kNoTrack);
  for (std::uint32_t head = 0; head < pool.headCount() && head < pool.extent(); ++head) {
    for (std::uint32_t key = head; key < pool.extent() && owner[key] == kNoTrack; key = pool[key].next) {
      owner[key] = head;
      if (pool[key].next == 0) {
        break;
      }
    }
  }
  std::vector<SelectedKey> selected;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected && owner[index] != kNoTrack) {
      selected.push_back({index, owner[index]});
    }
  }
  return selected;
}

template <typename Record>
void lowerToEarliest(const KeyPool<Record>& pool, const std::vector<SelectedKey>& keys,
                     std::uint32_t& earliest) {
  for (const SelectedKey& key : keys) {
    earliest = std::min(earliest, pool[key.index].frame);
  }
}

void collectModelKeys(const Model& model, MotionFile& motion) {
  const std::vector<SelectedKey> bones = selectedKeysOnTracks(model.boneKeyPool);
  const std::vector<SelectedKey> morphs = selectedKeysOnTracks(model.morphKeyPool);
  std::uint32_t earliest = std::numeric_limits<std::uint32_t>::max();
  lowerToEarliest(model.boneKeyPool, bones, earliest);
  lowerToEarliest(model.morphKeyPool, morphs, earliest);
  motion.name = model.name;
  for (const SelectedKey& selected : bones) {
    if (selected.head >= model.bones.size()) {
      continue;
    }
    const BoneKey& key = model.boneKeyPool[selected.index];
    motion.bones.push_back(
        {model.bones[selected.head].name, key.frame - earliest, key.translation, key.rotation, key.curves});
  }
  for (const SelectedKey& selected : morphs) {
    if (selected.head >= model.morphs.size()) {
      continue;
    }
    const MorphKey& key = model.morphKeyPool[selected.index];
    motion.morphs.push_back({model.morphs[selected.head].name, key.frame - earliest, key.weight});
  }
}

void collectCameraKeys(const Scene& scene, MotionFile& motion) {
  const std::vector<SelectedKey> cameras = selectedKeysOnTracks(scene.cameraKeyPool);
  const std::vector<SelectedKey> lights = selectedKeysOnTracks(scene.lightKeyPool);
  std::uint32_t earliest = std::numeric_limits<std::uint32_t>::max();
  lowerToEarliest(scene.cameraKeyPool, cameras, earliest);
  lowerToEarliest(scene.lightKeyPool, lights, earliest);
  motion.name = cameraMotionName();
  for (const SelectedKey& selected : cameras) {
    const CameraKey& key = scene.cameraKeyPool[selected.index];
    motion.cameras.push_back({key.frame - earliest, key.distance, key.centre, key.rotation, key.curves,
                              key.viewAngle, key.orthographic});
  }
  for (const SelectedKey& selected : lights) {
    const LightKey& key = scene.lightKeyPool[selected.index];
    motion.lights.push_back({key.frame - earliest, key.colour, key.direction});
  }
}

bool loadable(const Scene& scene, std::uint32_t fileFrame) {
  return std::uint64_t{scene.currentFrame} + fileFrame <= kLastLoadableFrame;
}

Message cutMessage(const std::filesystem::path& path) {
  return {withNumber(kMotionUnreadableMessage, EIO), path.string()};
}

Outcome loadModelMotion(Scene& scene, Model& model, const MotionFile& motion,
                        const std::filesystem::path& path, const Confirmation& confirm) {
  if (motion.name != model.name && confirm &&
      !confirm(
          {withText(kOtherModelQuestion, port::cp932ToUtf8(motion.name)), std::string(kMotionCaption)})) {
    return {};
  }
  Outcome outcome{true, {}};
  clearKeySelection(model.boneKeyPool);
  clearKeySelection(model.morphKeyPool);
  beginStep(scene, model, UndoKind::KeyEdit, scene.currentFrame);
  for (const MotionBoneRecord& record : motion.bones) {
    if (!loadable(scene, record.frame)) {
      continue;
    }
    BoneKey values;
    values.translation = record.translation;
    values.rotation = record.rotation;
    values.curves = record.curves;
    noteRefusal(registerBoneKeyByName(scene, model, record.name, record.frame, scene.currentFrame, values),
                outcome.messages);
  }
  for (const MotionMorphRecord& record : motion.morphs) {
    if (loadable(scene, record.frame)) {
      noteRefusal(
          registerMorphKeyByName(scene, model, record.name, record.frame, scene.currentFrame, record.weight),
          outcome.messages);
    }
  }
  scene.lastFrame = std::max(scene.lastFrame, model.lastFrame);
  if (motion.end == MotionEnd::InBones || motion.end == MotionEnd::InMorphs) {
    outcome.messages.push_back(cutMessage(path));
  }
  sampleModelAtFrame(model, scene.currentFrame);
  return outcome;
}

Outcome loadCameraMotion(Scene& scene, const MotionFile& motion, const std::filesystem::path& path) {
  if (motion.end == MotionEnd::InBones || motion.end == MotionEnd::InMorphs ||
      motion.end == MotionEnd::BeforeCameras) {
    return refused(std::string(kNoCameraSectionMessage), kMotionCaption);
  }
  Outcome outcome{true, {}};
  for (const MotionCameraRecord& record : motion.cameras) {
    if (!loadable(scene, record.frame)) {
      continue;
    }
    CameraKey values;
    values.distance = record.distance;
    values.centre = record.centre;
    values.rotation = record.rotation;
    values.curves = record.curves;
    values.viewAngle = record.viewAngle;
    values.orthographic = record.orthographic;
    noteRefusal(registerCameraKeyWithValues(scene, record.frame, values), outcome.messages);
  }
  for (const MotionLightRecord& record : motion.lights) {
    if (!loadable(scene, record.frame)) {
      continue;
    }
    LightKey values;
    values.colour = record.colour;
    values.direction = record.direction;
    noteRefusal(registerLightKeyWithValues(scene, record.frame, values), outcome.messages);
  }
  if (motion.end == MotionEnd::InCameras || motion.end == MotionEnd::InLights) {
    outcome.messages.push_back(cutMessage(path));
  }
  sampleCameraAtFrame(scene, scene.currentFrame);
  sampleLightAtFrame(scene, scene.currentFrame);
  return outcome;
}

}  // namespace

MotionFile collectSelectedMotion(Scene& scene) {
  MotionFile motion;
  if (scene.cameraMode) {
    collectCameraKeys(scene, motion);
  } else if (const Model* model = currentModel(scene)) {
    collectModelKeys(*model, motion);
  }
  return motion;
}

Outcome saveMotion(Scene& scene, const std::filesystem::path& path) {
  if (!scene.cameraMode && currentModel(scene) == nullptr) {
    return {};
  }
  errno = 0;
  if (!writeFileAtomically(path, motionBytes(collectSelectedMotion(scene)))) {
    return refused(withNumber(kMotionUnsavableMessage, errno != 0 ? errno : EIO), path.string());
  }
  return {true, {}};
}

Outcome loadMotion(Scene& scene, const std::filesystem::path& path, const Confirmation& confirm) {
  Model* model = currentModel(scene);
  if (!scene.cameraMode && model == nullptr) {
    return {};
  }
  int error = 0;
  const std::optional<std::string> bytes = port::readWholeFile(path, error);
  if (!bytes) {
    return refused(withNumber(kMotionUnreadableMessage, error), path.string());
  }
  MotionFile motion;
  if (!parseMotion(*bytes, motion)) {
    return refused(std::string(kNotMotionMessage), kMotionCaption);
  }
  if (motion.end == MotionEnd::InHeader) {
    return {false, {cutMessage(path)}};
  }
  return scene.cameraMode ? loadCameraMotion(scene, motion, path)
                          : loadModelMotion(scene, *model, motion, path, confirm);
}

}  // namespace zv
