#include "scene/keys/key_registration.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "scene/keys/key_auto_curves.h"
#include "scene/keys/key_bone_lookup.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_track_edit.h"

namespace zv {

namespace {

// frame + offset, or nothing when the sum does not fit a frame number (it would wrap onto the
// start of the track).
std::optional<std::uint32_t> offsetFrame(std::uint32_t frame, std::uint32_t offset) {
  const std::uint64_t sum = std::uint64_t{frame} + offset;
  if (sum > std::numeric_limits<std::uint32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(sum);
}

void raiseLastFrame(std::uint32_t& lastFrame, std::uint32_t frame) {
  lastFrame = std::max(lastFrame, frame);
}

// Writes `values` at `frame` on the track headed by `head`; the index written, or nothing when
// the pool is full.
template <typename Record>
std::optional<std::uint32_t> registerKey(KeyPool<Record>& pool, std::uint32_t head, std::uint32_t frame,
                                         const Record& values) {
  const std::optional<std::uint32_t> index = placeKey(pool, head, frame);
  if (index) {
    writeKeyValues(pool.at(*index), values);
  }
  return index;
}

template <typename Record>
KeyWrite refusedBy(const KeyPool<Record>& pool) {
  return {false, keyPoolFullMessage(pool.capacity())};
}

KeyWrite registerModelKey(Model& model, auto& pool, std::uint32_t head, std::uint32_t frame,
                          const auto& values) {
  if (!registerKey(pool, head, frame, values)) {
    return refusedBy(pool);
  }
  raiseLastFrame(model.lastFrame, frame);
  return {true, std::nullopt};
}

KeyWrite registerSceneKey(Scene& scene, auto& pool, std::uint32_t frame, const auto& values) {
  if (!registerKey(pool, 0, frame, values)) {
    return refusedBy(pool);
  }
  raiseLastFrame(scene.lastFrame, frame);
  return {true, std::nullopt};
}

KeyWrite registerBoneValues(Model& model, std::optional<std::uint32_t> bone, std::uint32_t frame,
                            std::uint32_t frameOffset, const BoneKey& values) {
  const std::optional<std::uint32_t> keyFrame = offsetFrame(frame, frameOffset);
  if (!bone || !keyFrame || *bone >= model.boneKeyPool.headCount()) {
    return {};
  }
  return registerModelKey(model, model.boneKeyPool, *bone, *keyFrame, values);
}

}  // namespace

bool noteRefusal(const KeyWrite& write, std::vector<Message>& messages) {
  if (write.refusal) {
    messages.push_back(*write.refusal);
  }
  return write.written;
}

KeyWrite registerBoneKey(Scene&, Model& model, std::uint32_t bone, std::uint32_t frame) {
  if (bone >= model.bones.size() || bone >= model.boneKeyPool.headCount()) {
    return {};
  }
  BoneKey values;
  values.translation = model.bones[bone].keyTranslation;
  values.rotation = model.bones[bone].keyRotation;
  const std::optional<std::uint32_t> index = registerKey(model.boneKeyPool, bone, frame, values);
  if (!index) {
    return refusedBy(model.boneKeyPool);
  }
  applyAutomaticCurves(model.boneKeyPool, *index);
  raiseLastFrame(model.lastFrame, frame);
  return {true, std::nullopt};
}

KeyWrite registerBoneKeyWithValues(Scene&, Model& model, std::uint32_t bone, std::uint32_t frame,
                                   const BoneKey& values) {
  return registerBoneValues(model, bone, frame, 0, values);
}

KeyWrite registerBoneKeyByName(Scene&, Model& model, std::string_view boneName, std::uint32_t frame,
                               std::uint32_t frameOffset, const BoneKey& values) {
  return registerBoneValues(model, findBoneByName(model, boneName), frame, frameOffset, values);
}

KeyWrite registerMirroredBoneKeyByName(Scene&, Model& model, std::string_view boneName, std::uint32_t frame,
                                       std::uint32_t frameOffset, const BoneKey& values) {
  BoneKey mirrored = values;
  mirrored.translation.x = -mirrored.translation.x;
  mirrored.rotation.y = -mirrored.rotation.y;
  mirrored.rotation.z = -mirrored.rotation.z;
  return registerBoneValues(model, findMirroredBone(model, boneName), frame, frameOffset, mirrored);
}

KeyWrites registerSelectedBones(Scene& scene, Model& model, std::uint32_t frame) {
  if (model.boneKeyPool.observer) {
    model.boneKeyPool.observer->beginKeyEdit(frame);
  }
  clearKeySelection(model.boneKeyPool);
  clearKeySelection(model.morphKeyPool);
  clearKeySelection(model.displayIkKeyPool);
  KeyWrites writes;
  const std::uint32_t boneCount =
      static_cast<std::uint32_t>(std::min(model.bones.size(), model.boneSelected.size()));
  for (std::uint32_t bone = 0; bone < boneCount; ++bone) {
    if (model.boneSelected[bone] &&
        noteRefusal(registerBoneKey(scene, model, bone, frame), writes.messages)) {
      ++writes.written;
      if (bone < model.boneMoved.size()) {
        model.boneMoved[bone] = 0;
      }
    }
  }
  return writes;
}

KeyWrite registerMorphKey(Scene&, Model& model, std::uint32_t morph, std::uint32_t frame) {
  if (morph == 0 || morph >= model.morphs.size() || morph >= model.morphKeyPool.headCount()) {
    return {};
  }
  MorphKey values;
  values.weight = model.morphs[morph].weight;
  return registerModelKey(model, model.morphKeyPool, morph, frame, values);
}

KeyWrite registerMorphKeyByName(Scene&, Model& model, std::string_view morphName, std::uint32_t frame,
                                std::uint32_t frameOffset, float weight) {
  const std::optional<std::uint32_t> morph = findMorphByName(model, morphName);
  const std::optional<std::uint32_t> keyFrame = offsetFrame(frame, frameOffset);
  if (!morph || !keyFrame || *morph >= model.morphKeyPool.headCount()) {
    return {};
  }
  MorphKey values;
  values.weight = weight;
  return registerModelKey(model, model.morphKeyPool, *morph, *keyFrame, values);
}

KeyWrite registerDisplayIkKey(Scene&, Model& model, std::uint32_t frame) {
  DisplayIkKey values;
  values.visible = model.visible;
  for (const IkChain& chain : model.ikChains) {
    values.ikEnabled.push_back(chain.enabled);
  }
  return registerModelKey(model, model.displayIkKeyPool, 0, frame, values);
}

KeyWrite registerDisplayIkKeyWithValues(Scene&, Model& model, std::uint32_t frame, bool visible,
                                        std::span<const IkFlagByName> ikFlags) {
  DisplayIkKey values;
  values.visible = visible;
  for (const IkChain& chain : model.ikChains) {
    const std::string_view ikBoneName = chain.ikBone < model.bones.size()
                                            ? std::string_view(model.bones[chain.ikBone].name)
                                            : std::string_view();
    const auto named = std::find_if(ikFlags.begin(), ikFlags.end(),
                                    [&](const IkFlagByName& flag) { return flag.ikBoneName == ikBoneName; });
    values.ikEnabled.push_back(named == ikFlags.end() || named->enabled);
  }
  return registerModelKey(model, model.displayIkKeyPool, 0, frame, values);
}

KeyWrite registerCameraKey(Scene& scene, std::uint32_t frame) {
  CameraKey values;
  values.centre = scene.camera.cameraCentre;
  values.rotation = scene.camera.cameraAngles;
  values.distance = scene.camera.cameraDistance;
  values.viewAngle = static_cast<std::int32_t>(scene.camera.fieldOfView);
  values.orthographic = scene.camera.orthographic;
  return registerSceneKey(scene, scene.cameraKeyPool, frame, values);
}

KeyWrite registerCameraKeyWithValues(Scene& scene, std::uint32_t relativeFrame, const CameraKey& values) {
  const std::optional<std::uint32_t> frame = offsetFrame(scene.currentFrame, relativeFrame);
  return frame ? registerSceneKey(scene, scene.cameraKeyPool, *frame, values) : KeyWrite{};
}

KeyWrite registerLightKey(Scene& scene, std::uint32_t frame) {
  LightKey values;
  values.direction = scene.light.lightDirection;
  values.colour = scene.light.lightColour;
  return registerSceneKey(scene, scene.lightKeyPool, frame, values);
}

KeyWrite registerLightKeyWithValues(Scene& scene, std::uint32_t relativeFrame, const LightKey& values) {
  const std::optional<std::uint32_t> frame = offsetFrame(scene.currentFrame, relativeFrame);
  return frame ? registerSceneKey(scene, scene.lightKeyPool, *frame, values) : KeyWrite{};
}

KeyWrite registerAccessoryKey(Scene& scene, std::uint32_t frame, const AccessoryKey& values) {
  if (scene.currentAccessory >= scene.accessoryKeyPools.size()) {
    return {};
  }
  return registerSceneKey(scene, scene.accessoryKeyPools[scene.currentAccessory], frame, values);
}

}  // namespace zv
