#include "scene/keys/key_range_selection.h"

#include <string>

#include "port/text.h"
#include "scene/keys/key_pool_selection.h"

namespace zv {
namespace {

// Heads below `headCount` and every placed record above the pool's heads are in use.
template <typename Record>
void selectPoolInRange(KeyPool<Record>& pool, std::uint32_t headCount, FrameRange range) {
  clearKeySelection(pool);
  for (std::uint32_t head = 0; head < headCount && head < pool.headCount(); ++head) {
    if (range.holds(0)) {
      pool.at(head).selected = true;
    }
  }
  for (std::uint32_t index = pool.headCount(); index < pool.extent(); ++index) {
    const std::uint32_t frame = pool[index].frame;
    if (frame > 0 && range.holds(frame)) {
      pool.at(index).selected = true;
    }
  }
}

// Walks the track from its head and selects the keys in the range, after deselecting the whole
// pool. The walk is bounded by the pool so that broken links cannot loop.
template <typename Record>
void selectTrackInRange(KeyPool<Record>& pool, std::uint32_t head, FrameRange range) {
  clearKeySelection(pool);
  std::uint32_t key = head;
  for (std::uint32_t steps = 0; steps < pool.capacity(); ++steps) {
    const Record& record = pool[key];
    if (std::int64_t{record.frame} > range.last) {
      return;
    }
    if (range.holds(record.frame)) {
      pool.at(key).selected = true;
    }
    if (record.next == 0 || record.next >= pool.capacity()) {
      return;
    }
    key = record.next;
  }
}

}  // namespace

void selectBoneKeysInRange(Model& model, FrameRange range) {
  selectPoolInRange(model.boneKeyPool, static_cast<std::uint32_t>(model.bones.size()), range);
}

void selectMorphKeysInRange(Model& model, FrameRange range) {
  selectPoolInRange(model.morphKeyPool, static_cast<std::uint32_t>(model.morphs.size()), range);
}

void selectDisplayIkKeysInRange(Model& model, FrameRange range) {
  selectPoolInRange(model.displayIkKeyPool, 1, range);
}

void selectCameraKeysInRange(Scene& scene, FrameRange range) {
  selectPoolInRange(scene.cameraKeyPool, 1, range);
}

void selectLightKeysInRange(Scene& scene, FrameRange range) {
  selectPoolInRange(scene.lightKeyPool, 1, range);
}

bool selectKeysInRange(Model& model, FrameRange range, std::string_view rowName) {
  const std::string name = port::utf8ToCp932(rowName);
  for (const MorphListEntry& entry : model.morphList) {
    if (entry.name == name) {
      selectTrackInRange(model.morphKeyPool, entry.morphIndex, range);
      return true;
    }
  }
  if (rowName == "表示･IK") {
    selectTrackInRange(model.displayIkKeyPool, 0, range);
    return true;
  }
  if (rowName == "センター" || rowName == "ﾎﾞｰﾝ01") {
    selectTrackInRange(model.boneKeyPool, 0, range);
    return true;
  }
  for (const BoneListEntry& entry : model.boneList) {
    if (entry.name == name) {
      selectTrackInRange(model.boneKeyPool, entry.boneIndex, range);
      return true;
    }
  }
  return false;
}

}  // namespace zv
