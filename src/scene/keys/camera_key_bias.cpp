#include "scene/keys/camera_key_bias.h"

#include <algorithm>
#include <limits>

namespace zv {
namespace {

template <typename Change>
void changeSelectedCameraKeys(Scene& scene, Change change) {
  KeyPool<CameraKey>& pool = scene.cameraKeyPool;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected) {
      change(pool.at(index));
    }
  }
}

}  // namespace

void biasCameraDistance(Scene& scene, std::int32_t delta) {
  changeSelectedCameraKeys(scene, [delta](CameraKey& key) { key.distance -= static_cast<float>(delta); });
}

void biasViewAngle(Scene& scene, std::int32_t delta) {
  using Limits = std::numeric_limits<std::int32_t>;
  changeSelectedCameraKeys(scene, [delta](CameraKey& key) {
    const std::int64_t sum = std::int64_t{key.viewAngle} + delta;
    key.viewAngle = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, Limits::min(), Limits::max()));
  });
}

}  // namespace zv
