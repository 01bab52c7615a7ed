#include "anim/morph_frame_edits.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "anim/sampling.h"

namespace zv {
namespace {

constexpr std::int64_t kLastFrame = std::numeric_limits<std::int32_t>::max();

// The keys after the head of morph `head`'s track, in frame order; bounded against broken links.
std::vector<std::uint32_t> keysAfterHead(const KeyPool<MorphKey>& pool, std::uint32_t head) {
  std::vector<std::uint32_t> keys;
  for (std::uint32_t key = pool[head].next;
       key != 0 && key < pool.capacity() && keys.size() < pool.capacity(); key = pool[key].next) {
    keys.push_back(key);
  }
  return keys;
}

template <typename Visit>
void forEachMorphOfKind(Model& model, std::uint8_t kind, Visit visit) {
  const std::uint32_t morphCount = std::min<std::uint32_t>(static_cast<std::uint32_t>(model.morphs.size()),
                                                           model.morphKeyPool.headCount());
  for (std::uint32_t morph = 0; morph < morphCount; ++morph) {
    if (model.morphs[morph].category == kind) {
      visit(morph);
    }
  }
}

bool shiftStaysInRange(Model& model, std::int64_t delta) {
  bool fits = true;
  forEachMorphOfKind(model, kLipMorph, [&](std::uint32_t morph) {
    for (std::uint32_t key : keysAfterHead(model.morphKeyPool, morph)) {
      fits = fits && model.morphKeyPool[key].frame + delta <= kLastFrame;
    }
  });
  return fits;
}

}  // namespace

Message lipShiftBeyondLastFrameMessage() {
  return {"シフト後のフレーム番号が2147483647を越えるため、リップフレームをシフトできません",
          "リップフレーム時間シフト"};
}

Outcome shiftLipKeys(Scene& scene, Model& model, std::int32_t delta) {
  if (!shiftStaysInRange(model, delta)) {
    return {false, {lipShiftBeyondLastFrameMessage()}};
  }
  KeyPool<MorphKey>& pool = model.morphKeyPool;
  forEachMorphOfKind(model, kLipMorph, [&](std::uint32_t morph) {
    for (std::uint32_t key : keysAfterHead(pool, morph)) {
      const std::int64_t frame = std::int64_t{pool[key].frame} + delta;
      if (frame <= 0) {
        pool.unlink(key);
        pool.at(key) = MorphKey{};
        continue;
      }
      MorphKey shifted = pool[key];
      shifted.frame = static_cast<std::uint32_t>(frame);
      pool.put(key, shifted);
      model.lastFrame = std::max(model.lastFrame, shifted.frame);
    }
  });
  sampleModelAtFrame(model, scene.currentFrame);
  return {true, {}};
}

void clearMorphKeysOfKind(Scene& scene, Model& model, std::uint8_t kind) {
  KeyPool<MorphKey>& pool = model.morphKeyPool;
  forEachMorphOfKind(model, kind, [&](std::uint32_t morph) {
    for (std::uint32_t key : keysAfterHead(pool, morph)) {
      pool.put(key, MorphKey{});
    }
    pool.put(morph, MorphKey{});
  });
  sampleModelAtFrame(model, scene.currentFrame);
}

}  // namespace zv
