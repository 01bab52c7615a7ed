#include "scene/clipboard/key_clipboard.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "scene/keys/key_registration.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

constexpr std::uint32_t kNoTrack = std::numeric_limits<std::uint32_t>::max();

// A record holds a key when it heads a track or has been placed on one.
template <typename Record>
bool selectedKey(const KeyPool<Record>& pool, std::uint32_t index) {
  return pool[index].selected && (pool.isHead(index) || pool[index].frame != 0);
}

template <typename Record>
std::vector<std::uint32_t> selectedKeys(const KeyPool<Record>& pool) {
  std::vector<std::uint32_t> keys;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (selectedKey(pool, index)) {
      keys.push_back(index);
    }
  }
  return keys;
}

// The head of the track each written record lies on, by pool index, so that a key can be named
// after its bone or morph without walking back along its track.
template <typename Record>
std::vector<std::uint32_t> trackOfEachKey(const KeyPool<Record>& pool) {
  std::vector<std::uint32_t> track(pool.extent(), kNoTrack);
  for (std::uint32_t head = 0; head < std::min(pool.headCount(), pool.extent()); ++head) {
    track[head] = head;
    std::uint32_t steps = 0;
    for (std::uint32_t key = pool[head].next; key != 0 && key < track.size() && steps < pool.capacity();
         key = pool[key].next, ++steps) {
      track[key] = head;
    }
  }
  return track;
}

template <typename Record>
void lowerToFrames(std::uint32_t& earliest, const KeyPool<Record>& pool,
                   const std::vector<std::uint32_t>& keys) {
  for (std::uint32_t key : keys) {
    earliest = std::min(earliest, pool[key].frame);
  }
}

struct SelectedModelKeys {
  std::vector<std::uint32_t> bone, morph, displayIk;
  bool empty() const { return bone.empty() && morph.empty() && displayIk.empty(); }
};

void copyBoneKeys(KeyClipboard& clipboard, const Model& model, const std::vector<std::uint32_t>& keys,
                  std::uint32_t earliest) {
  const KeyPool<BoneKey>& pool = model.boneKeyPool;
  const std::vector<std::uint32_t> track = trackOfEachKey(pool);
  for (std::uint32_t key : keys) {
    if (track[key] >= model.bones.size()) {
      continue;
    }
    BoneKey values = pool[key];
    values.frame = values.prev = values.next = 0;
    values.selected = false;
    clipboard.boneKeys.push_back({model.bones[track[key]].name, pool[key].frame - earliest, values});
  }
}

void copyMorphKeys(KeyClipboard& clipboard, const Model& model, const std::vector<std::uint32_t>& keys,
                   std::uint32_t earliest) {
  const KeyPool<MorphKey>& pool = model.morphKeyPool;
  const std::vector<std::uint32_t> track = trackOfEachKey(pool);
  for (std::uint32_t key : keys) {
    if (track[key] >= model.morphs.size()) {
      continue;
    }
    clipboard.morphKeys.push_back(
        {model.morphs[track[key]].name, pool[key].frame - earliest, pool[key].weight});
  }
}

std::vector<IkFlagByName> ikFlagsByName(const Model& model, const DisplayIkKey& key) {
  std::vector<IkFlagByName> flags;
  for (std::size_t chain = 0; chain < model.ikChains.size(); ++chain) {
    const std::uint16_t ikBone = model.ikChains[chain].ikBone;
    if (ikBone < model.bones.size()) {
      flags.push_back({model.bones[ikBone].name, chain >= key.ikEnabled.size() || key.ikEnabled[chain]});
    }
  }
  return flags;
}

void copyDisplayIkKeys(KeyClipboard& clipboard, const Model& model, const std::vector<std::uint32_t>& keys,
                       std::uint32_t earliest) {
  for (std::uint32_t key : keys) {
    const DisplayIkKey& record = model.displayIkKeyPool[key];
    clipboard.displayIkKeys.push_back(
        {record.frame - earliest, record.visible, ikFlagsByName(model, record)});
  }
}

bool copyModelKeys(Scene& scene) {
  KeyClipboard& clipboard = scene.keyClipboard;
  clipboard.boneKeys.clear();
  clipboard.morphKeys.clear();
  clipboard.displayIkKeys.clear();
  const Model* model = currentModel(scene);
  if (!model) {
    return false;
  }
  const SelectedModelKeys selected{selectedKeys(model->boneKeyPool), selectedKeys(model->morphKeyPool),
                                   selectedKeys(model->displayIkKeyPool)};
  if (selected.empty()) {
    return false;
  }
  std::uint32_t earliest = kNoTrack;
  lowerToFrames(earliest, model->boneKeyPool, selected.bone);
  lowerToFrames(earliest, model->morphKeyPool, selected.morph);
  lowerToFrames(earliest, model->displayIkKeyPool, selected.displayIk);
  copyBoneKeys(clipboard, *model, selected.bone, earliest);
  copyMorphKeys(clipboard, *model, selected.morph, earliest);
  copyDisplayIkKeys(clipboard, *model, selected.displayIk, earliest);
  return true;
}

template <typename Copied, typename Record>
void copySceneTrack(std::vector<Copied>& into, const KeyPool<Record>& pool,
                    const std::vector<std::uint32_t>& keys, std::uint32_t earliest) {
  for (std::uint32_t key : keys) {
    Record values = pool[key];
    values.frame = values.prev = values.next = 0;
    values.selected = false;
    into.push_back({pool[key].frame - earliest, values});
  }
}

bool copyCameraKeys(Scene& scene) {
  KeyClipboard& clipboard = scene.keyClipboard;
  clipboard.cameraKeys.clear();
  clipboard.lightKeys.clear();
  const std::vector<std::uint32_t> camera = selectedKeys(scene.cameraKeyPool);
  const std::vector<std::uint32_t> light = selectedKeys(scene.lightKeyPool);
  if (camera.empty() && light.empty()) {
    return false;
  }
  std::uint32_t earliest = kNoTrack;
  lowerToFrames(earliest, scene.cameraKeyPool, camera);
  lowerToFrames(earliest, scene.lightKeyPool, light);
  copySceneTrack(clipboard.cameraKeys, scene.cameraKeyPool, camera, earliest);
  copySceneTrack(clipboard.lightKeys, scene.lightKeyPool, light, earliest);
  return true;
}

// Counts a written key and keeps a refusal's message unless the paste already holds it: one full
// pool refuses every key after the first, and one box tells the user as much as thousands.
void tally(Outcome& paste, const KeyWrite& write) {
  paste.done = paste.done || write.written;
  if (write.refusal && std::ranges::find(paste.messages, *write.refusal) == paste.messages.end()) {
    paste.messages.push_back(*write.refusal);
  }
}

std::optional<std::uint32_t> pasteFrame(std::uint32_t frame, std::uint32_t relativeFrame) {
  const std::uint64_t sum = std::uint64_t{frame} + relativeFrame;
  if (sum > std::numeric_limits<std::uint32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(sum);
}

Outcome pasteCameraKeys(Scene& scene) {
  Outcome paste;
  for (const CopiedCameraKey& key : scene.keyClipboard.cameraKeys) {
    tally(paste, registerCameraKeyWithValues(scene, key.relativeFrame, key.values));
  }
  for (const CopiedLightKey& key : scene.keyClipboard.lightKeys) {
    tally(paste, registerLightKeyWithValues(scene, key.relativeFrame, key.values));
  }
  return paste;
}

void pasteBoneKeys(Scene& scene, Model& model, bool mirrored, Outcome& paste) {
  const auto registerByName = mirrored ? registerMirroredBoneKeyByName : registerBoneKeyByName;
  for (const CopiedBoneKey& key : scene.keyClipboard.boneKeys) {
    tally(paste,
          registerByName(scene, model, key.boneName, scene.currentFrame, key.relativeFrame, key.values));
  }
}

void pasteMorphAndDisplayKeys(Scene& scene, Model& model, Outcome& paste) {
  for (const CopiedMorphKey& key : scene.keyClipboard.morphKeys) {
    tally(paste, registerMorphKeyByName(scene, model, key.morphName, scene.currentFrame, key.relativeFrame,
                                        key.weight));
  }
  for (const CopiedDisplayIkKey& key : scene.keyClipboard.displayIkKeys) {
    if (const std::optional<std::uint32_t> frame = pasteFrame(scene.currentFrame, key.relativeFrame)) {
      tally(paste, registerDisplayIkKeyWithValues(scene, model, *frame, key.visible, key.ikFlags));
    }
  }
}

}  // namespace

bool holdsModelKeys(const KeyClipboard& clipboard) {
  return !clipboard.boneKeys.empty() || !clipboard.morphKeys.empty() || !clipboard.displayIkKeys.empty();
}

bool holdsCameraKeys(const KeyClipboard& clipboard) {
  return !clipboard.cameraKeys.empty() || !clipboard.lightKeys.empty();
}

bool holdsBoneKeys(const KeyClipboard& clipboard) {
  return !clipboard.boneKeys.empty();
}

bool copyKeys(Scene& scene) {
  return scene.cameraMode ? copyCameraKeys(scene) : copyModelKeys(scene);
}

Outcome pasteKeys(Scene& scene) {
  if (scene.cameraMode) {
    return pasteCameraKeys(scene);
  }
  Model* model = currentModel(scene);
  if (!model || !holdsModelKeys(scene.keyClipboard)) {
    return {};
  }
  beginStep(scene, *model, UndoKind::KeyEdit, scene.currentFrame);
  Outcome paste;
  pasteBoneKeys(scene, *model, false, paste);
  pasteMorphAndDisplayKeys(scene, *model, paste);
  return paste;
}

Outcome pasteMirroredKeys(Scene& scene) {
  Model* model = currentModel(scene);
  if (scene.cameraMode || !model || !holdsBoneKeys(scene.keyClipboard)) {
    return {};
  }
  beginStep(scene, *model, UndoKind::KeyEdit, scene.currentFrame);
  Outcome paste;
  pasteBoneKeys(scene, *model, true, paste);
  return paste;
}

void forgetBoneKeys(KeyClipboard& clipboard) {
  clipboard.boneKeys.clear();
}

}  // namespace zv
