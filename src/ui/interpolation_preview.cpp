#include "ui/interpolation_preview.h"

#include <optional>

namespace zv {
namespace {

template <typename Record>
PreviewResult drawSelectedCurves(const KeyPool<Record>& pool, int channel, int channelCount,
                                 port::Canvas& preview) {
  PreviewResult result;
  if (channel < 0 || channel >= channelCount) {
    return result;
  }
  std::optional<InterpolationCurve> first;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    const Record& key = pool[index];
    if (!key.selected) {
      continue;
    }
    const InterpolationCurve curve = key.curves.curve(channel);
    if (!first) {
      first = curve;
      result.anySelected = true;
      result.curvesShared = true;
    } else if (curve == *first) {
      continue;
    } else {
      result.curvesShared = false;
    }
    drawCurve(preview, curve);
    result.lastHandles = drawCurveHandles(preview, curve);
  }
  return result;
}

}  // namespace

PreviewResult drawInterpolationPreview(const Scene& scene, int channel, port::Canvas& preview) {
  preview.fill({0, 0, preview.width(), preview.height()}, {255, 255, 255});
  if (scene.cameraMode) {
    return drawSelectedCurves(scene.cameraKeyPool, channel, kCameraChannelCount, preview);
  }
  if (const Model* model = currentModel(scene)) {
    return drawSelectedCurves(model->boneKeyPool, channel, kBoneChannelCount, preview);
  }
  return {};
}

}  // namespace zv
