#include "scene/keys/key_pool_setup.h"

namespace zv {

bool createModelKeyPools(Model& model) {
  if (model.morphs.size() >= MorphKey::kPoolCapacity || model.bones.size() >= BoneKey::kPoolCapacity) {
    return false;
  }
  DisplayIkKey displayIkBlank;
  displayIkBlank.ikEnabled.assign(model.ikChains.size(), true);
  model.boneKeyPool = KeyPool<BoneKey>(static_cast<std::uint32_t>(model.bones.size()));
  model.morphKeyPool = KeyPool<MorphKey>(static_cast<std::uint32_t>(model.morphs.size()));
  model.displayIkKeyPool = KeyPool<DisplayIkKey>(1, std::move(displayIkBlank));
  return true;
}

}  // namespace zv
