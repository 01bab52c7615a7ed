#include "anim/bone_key_stretch.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "anim/sampling.h"
#include "scene/keys/key_deletion.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

constexpr float kSmallestScale = 0.00001f;
constexpr std::int64_t kLastFrame = std::numeric_limits<std::int32_t>::max();

struct StretchedKey {
  std::uint32_t index = 0;  // where the key is now
  std::uint32_t bone = 0;
  std::uint32_t frame = 0;  // where it goes
  BoneKey values;
};

// Every key of the bone's track from its head on, in track order; bounded against broken links.
template <typename Visit>
void forEachTrackKey(const KeyPool<BoneKey>& pool, std::uint32_t head, Visit visit) {
  std::uint32_t key = head;
  for (std::uint32_t steps = 0; steps < pool.capacity(); ++steps) {
    visit(key);
    key = pool[key].next;
    if (key == 0 || key >= pool.capacity()) {
      return;
    }
  }
}

// current + offset x scale truncated toward zero, or nothing beyond the last frame (a product
// that is not a number included).
std::optional<std::uint32_t> stretchedFrame(std::uint32_t current, std::int64_t offset, float scale) {
  const float relative = static_cast<float>(offset) * scale;
  if (!(relative < static_cast<float>(kLastFrame))) {
    return std::nullopt;
  }
  const std::int64_t frame = std::int64_t{current} + static_cast<std::int64_t>(relative);
  if (frame > kLastFrame) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(frame);
}

// The keys in the range with the frames they move to, in pool order; nothing when one would pass
// the last frame.
std::optional<std::vector<StretchedKey>> plannedKeys(const Scene& scene, const Model& model,
                                                     std::int32_t from, std::int32_t to, float scale) {
  const KeyPool<BoneKey>& pool = model.boneKeyPool;
  const std::uint32_t boneCount =
      std::min<std::uint32_t>(static_cast<std::uint32_t>(model.bones.size()), pool.headCount());
  std::vector<StretchedKey> keys;
  bool fits = true;
  for (std::uint32_t bone = 0; bone < boneCount; ++bone) {
    forEachTrackKey(pool, bone, [&](std::uint32_t index) {
      const std::int64_t frame = pool[index].frame;
      if (frame < from || frame > to) {
        return;
      }
      const std::optional<std::uint32_t> target = stretchedFrame(scene.currentFrame, frame - from, scale);
      fits = fits && target.has_value();
      if (target) {
        keys.push_back({index, bone, *target, pool[index]});
      }
    });
  }
  if (!fits) {
    return std::nullopt;
  }
  std::ranges::sort(keys, {}, &StretchedKey::index);
  return keys;
}

}  // namespace

Message stretchBeyondLastFrameMessage() {
  return {
      "拡大縮小後のフレーム番号が2147483647を越えるため、拡大縮小できません\n"
      "倍率または範囲を小さくして下さい",
      "拡大縮小"};
}

Outcome stretchBoneKeys(Scene& scene, Model& model, std::int32_t from, std::int32_t to, float scale) {
  if (std::int64_t{to} - from <= 0 || !(scale >= kSmallestScale) || scale == 1.0f) {
    return {};
  }
  const std::optional<std::vector<StretchedKey>> keys = plannedKeys(scene, model, from, to, scale);
  if (!keys) {
    return {false, {stretchBeyondLastFrameMessage()}};
  }
  if (keys->empty()) {
    return {};
  }
  KeyPool<BoneKey>& pool = model.boneKeyPool;
  clearKeySelection(pool);
  clearKeySelection(model.morphKeyPool);
  for (const StretchedKey& key : *keys) {
    pool.at(key.index).selected = true;
  }
  deleteSelectedBoneKeys(scene, model);
  if (pool.observer) {
    joinWithNextStep(model);
    beginStep(scene, model, UndoKind::KeyEdit, scene.currentFrame);
  }
  Outcome outcome{true, {}};
  for (const StretchedKey& key : *keys) {
    noteRefusal(registerBoneKeyWithValues(scene, model, key.bone, key.frame, key.values), outcome.messages);
  }
  sampleModelAtFrame(model, scene.currentFrame);
  return outcome;
}

}  // namespace zv
