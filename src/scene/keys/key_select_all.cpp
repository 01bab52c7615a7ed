#include "scene/keys/key_select_all.h"

#include "scene/keys/key_pool_selection.h"

namespace zv {
namespace {

// The heads below `headCount`, and every record above the heads whose frame says it is in use.
template <typename Record>
void selectAllKeys(KeyPool<Record>& pool, std::uint32_t headCount) {
  clearKeySelection(pool);
  for (std::uint32_t head = 0; head < headCount && head < pool.headCount(); ++head) {
    pool.at(head).selected = true;
  }
  for (std::uint32_t index = pool.headCount(); index < pool.extent(); ++index) {
    if (pool[index].frame > 0) {
      pool.at(index).selected = true;
    }
  }
}

}  // namespace

void selectAllBoneKeys(Model& model) {
  selectAllKeys(model.boneKeyPool, static_cast<std::uint32_t>(model.bones.size()));
}

void selectAllMorphKeys(Model& model) {
  selectAllKeys(model.morphKeyPool, static_cast<std::uint32_t>(model.morphs.size()));
}

void selectAllDisplayIkKeys(Model& model) {
  selectAllKeys(model.displayIkKeyPool, 1);
}

void selectAllCameraKeys(Scene& scene) {
  selectAllKeys(scene.cameraKeyPool, 1);
}

void selectAllLightKeys(Scene& scene) {
  selectAllKeys(scene.lightKeyPool, 1);
}

void selectAllAccessoryKeys(Scene& scene) {
  for (KeyPool<AccessoryKey>& pool : scene.accessoryKeyPools) {
    selectAllKeys(pool, 1);
  }
}

}  // namespace zv
