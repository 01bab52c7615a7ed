#include "scene/clipboard/curve_clipboard.h"

#include <optional>

#include "scene/keys/key_pool_selection.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

bool channelExists(const Scene& scene, int channel) {
  const int channelCount = scene.cameraMode ? int{kCameraChannelCount} : int{kBoneChannelCount};
  return channel >= 0 && channel < channelCount;
}

template <typename Record>
std::optional<InterpolationCurve> firstSelectedCurve(const KeyPool<Record>& pool, int channel) {
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected) {
      return pool[index].curves.curve(channel);
    }
  }
  return std::nullopt;
}

template <typename Record>
void writeSelectedCurves(KeyPool<Record>& pool, int channel, InterpolationCurve curve) {
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected) {
      pool.at(index).curves.setCurve(channel, curve);
    }
  }
}

}  // namespace

bool copyCurve(Scene& scene, int channel) {
  if (!channelExists(scene, channel)) {
    return false;
  }
  std::optional<InterpolationCurve> curve;
  if (scene.cameraMode) {
    curve = firstSelectedCurve(scene.cameraKeyPool, channel);
  } else if (const Model* model = currentModel(scene)) {
    curve = firstSelectedCurve(model->boneKeyPool, channel);
  }
  if (!curve) {
    return false;
  }
  scene.curveClipboard = curve;
  return true;
}

bool pasteCurve(Scene& scene, int channel, InterpolationCurve curve) {
  if (!channelExists(scene, channel)) {
    return false;
  }
  if (scene.cameraMode) {
    if (!anyKeySelected(scene.cameraKeyPool)) {
      return false;
    }
    writeSelectedCurves(scene.cameraKeyPool, channel, curve);
    return true;
  }
  Model* model = currentModel(scene);
  if (!model || !anyKeySelected(model->boneKeyPool)) {
    return false;
  }
  recordSelectedKeys(scene, *model, scene.currentFrame);
  writeSelectedCurves(model->boneKeyPool, channel, curve);
  return true;
}

}  // namespace zv
