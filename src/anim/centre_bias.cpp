#include "anim/centre_bias.h"

#include <algorithm>

#include "anim/sampling.h"
#include "scene/undo/undo.h"

namespace zv {

void applyCentreBias(Scene& scene, Model& model, Vec3 offset) {
  recordSelectedKeys(scene, model, scene.currentFrame);
  KeyPool<BoneKey>& pool = model.boneKeyPool;
  const std::uint32_t boneCount =
      std::min<std::uint32_t>(static_cast<std::uint32_t>(model.bones.size()), pool.headCount());
  for (std::uint32_t bone = 0; bone < boneCount; ++bone) {
    if (model.bones[bone].parent >= 0) {
      continue;
    }
    // Walking each root's track finds a key's bone without following links back for every key;
    // the walk is bounded so that links broken by a bad project file cannot loop.
    std::uint32_t key = bone;
    for (std::uint32_t steps = 0; steps < pool.capacity(); ++steps) {
      if (pool[key].selected) {
        BoneKey& moved = pool.at(key);
        moved.translation = moved.translation + offset;
      }
      key = pool[key].next;
      if (key == 0 || key >= pool.capacity()) {
        break;
      }
    }
  }
  sampleModelAtFrame(model, scene.currentFrame);
}

}  // namespace zv
