#include "scene/keys/key_deletion.h"

#include <string>

#include "scene/keys/key_auto_curves.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_track_edit.h"

namespace zv {

namespace {

// Deletes the pool's selected keys in index order. `changedNeighbour` is called with the key
// whose neighbour changed after each deletion or head reset, when there is one.
template <typename Record, typename NeighbourChanged>
int deleteSelectedIn(KeyPool<Record>& pool, NeighbourChanged changedNeighbour) {
  int removed = 0;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (!pool[index].selected) {
      continue;
    }
    const std::uint32_t next = pool[index].next;
    if (pool.isHead(index)) {
      noteKeyChange(pool, index);
      resetToHeadValues(pool.at(index), pool.blank());
      if (next != 0) {
        changedNeighbour(next);
      }
      continue;
    }
    const std::uint32_t neighbour = next != 0 ? next : pool[index].prev;
    deleteKey(pool, index);
    ++removed;
    changedNeighbour(neighbour);
  }
  return removed;
}

template <typename Record>
int deleteSelectedIn(KeyPool<Record>& pool) {
  return deleteSelectedIn(pool, [](std::uint32_t) {});
}

int deleteSelectedBoneKeysIn(KeyPool<BoneKey>& pool, std::uint32_t currentFrame) {
  if (pool.observer && anyKeySelected(pool)) {
    pool.observer->beginKeyEdit(currentFrame);
  }
  return deleteSelectedIn(pool, [&pool](std::uint32_t neighbour) { applyAutomaticCurves(pool, neighbour); });
}

bool samePose(const BoneKey& a, const BoneKey& b) {
  return a.rotation == b.rotation && a.translation == b.translation;
}

// Selects the keys of the bone's track that sit between two keys of the same pose.
int selectUnneededKeys(KeyPool<BoneKey>& pool, std::uint32_t bone) {
  int selected = 0;
  for (std::uint32_t index = pool[bone].next; index != 0; index = pool[index].next) {
    const BoneKey& key = pool[index];
    if (key.next != 0 && samePose(key, pool[key.prev]) && samePose(key, pool[key.next])) {
      pool.at(index).selected = true;
      ++selected;
    }
  }
  return selected;
}

}  // namespace

int deleteSelectedModelKeys(Scene& scene, Model& model) {
  return deleteSelectedBoneKeysIn(model.boneKeyPool, scene.currentFrame) +
         deleteSelectedIn(model.morphKeyPool) + deleteSelectedIn(model.displayIkKeyPool);
}

int deleteSelectedBoneKeys(Scene& scene, Model& model) {
  return deleteSelectedBoneKeysIn(model.boneKeyPool, scene.currentFrame);
}

int deleteSelectedKeys(Scene& scene) {
  if (!scene.cameraMode) {
    Model* model = currentModel(scene);
    return model ? deleteSelectedModelKeys(scene, *model) : 0;
  }
  int removed = deleteSelectedIn(scene.cameraKeyPool) + deleteSelectedIn(scene.lightKeyPool);
  for (auto& pool : scene.accessoryKeyPools) {
    removed += deleteSelectedIn(pool);
  }
  return removed;
}

UnneededKeyDeletion deleteUnneededBoneKeys(Scene& scene, Model& model) {
  clearKeySelection(model.boneKeyPool);
  clearKeySelection(model.morphKeyPool);
  int selected = 0;
  for (std::uint32_t bone = 0; bone < model.bones.size() && bone < model.boneKeyPool.headCount(); ++bone) {
    if (model.bones[bone].type <= kBoneTypeLinked) {
      selected += selectUnneededKeys(model.boneKeyPool, bone);
    }
  }
  // Only bone keys go: display and IK keys the user selected stay, and stay selected.
  deleteSelectedBoneKeys(scene, model);
  return {selected, {std::to_string(selected) + "個のポイントを削除しました", "不要ポイントの削除"}};
}

}  // namespace zv
