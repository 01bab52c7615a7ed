#include "scene/keys/key_vertical_selection.h"

#include <optional>

namespace zv {
namespace {

std::optional<std::uint32_t> firstSelectedFrame(const KeyPool<BoneKey>& pool) {
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected) {
      return pool[index].frame;
    }
  }
  return std::nullopt;
}

}  // namespace

bool selectBoneKeysAtSelectedFrame(Model& model) {
  KeyPool<BoneKey>& pool = model.boneKeyPool;
  const std::optional<std::uint32_t> frame = firstSelectedFrame(pool);
  if (!frame) {
    return false;
  }
  const auto boneCount = static_cast<std::uint32_t>(model.bones.size());
  for (std::uint32_t bone = 0; bone < boneCount && bone < pool.headCount(); ++bone) {
    const std::uint32_t key = pool.keyAtOrBefore(bone, *frame);
    if (pool[key].frame == *frame) {
      pool.at(key).selected = true;
    }
  }
  return true;
}

}  // namespace zv
