#include "app/view_transforms.h"

#include <cmath>

#include "port/text.h"

namespace zv {

namespace {

const Model* operatedModel(const Scene& scene) {
  return scene.currentModel < kMaxModels ? scene.modelSlots[scene.currentModel].get() : nullptr;
}

Vec3 operatedModelCentre(const Model& model) {
  if (model.bones.empty()) {
    return {};
  }
  const std::string dummyBoneName = port::utf8ToCp932(kDummyBoneModelName);
  const std::int32_t selected = model.selectedBone;
  if (model.name == dummyBoneName && selected > 0 &&
      static_cast<std::size_t>(selected) < model.bones.size()) {
    const Bone& bone = model.bones[static_cast<std::size_t>(selected)];
    return bone.head + bone.keyTranslation;
  }
  return model.bones[0].keyTranslation;
}

}  // namespace

Mat4 viewRotation(Vec3 cameraAngles) {
  return rotationY(cameraAngles.y) * rotationX(cameraAngles.x) * rotationZ(cameraAngles.z);
}

Vec3 worldCentre(const Scene& scene) {
  if ((scene.followCameraLight && scene.playing) || scene.cameraMode) {
    return scene.camera.cameraCentre;
  }
  const Model* model = operatedModel(scene);
  if (scene.followModelCentre && model) {
    return operatedModelCentre(*model);
  }
  return {};
}

Mat4 groundShadowMatrix(Vec3 lightDirection) {
  const Vec3 l = lightDirection;
  Mat4 shadow;
  shadow.m[1][0] = -l.x / l.y;
  shadow.m[1][1] = 0.0f;
  shadow.m[1][2] = -l.z / l.y;
  shadow.m[3][1] = 0.1f;
  return shadow;
}

bool groundShadowShown(const Scene& scene) {
  return scene.light.lightDirection.y < 0.0f && scene.showGroundShadow &&
         (scene.playing || (scene.editMode >= EditMode::None && !scene.backgroundVideoShown));
}

bool edgesShown(const Scene& scene) {
  return scene.playing || scene.editMode >= EditMode::None;
}

Mat4 orthographicProjection(float cameraDistance, int outputWidth, int outputHeight) {
  const float aspect =
      outputWidth > 0 ? static_cast<float>(outputHeight) / static_cast<float>(outputWidth) : 1.0f;
  Mat4 projection;
  projection.m[0][0] = -2.0f / cameraDistance;
  projection.m[1][1] = projection.m[0][0] * aspect;
  projection.m[2][2] = 0.0013f;
  projection.m[3][3] = 1.0f;
  return projection;
}

Mat4 viewLookAt(const Scene& scene) {
  const float distance = scene.camera.cameraDistance;
  Mat4 view;
  lookAt(view, {scene.viewOffsetX, scene.viewOffsetY, distance},
         {scene.viewOffsetX, scene.viewOffsetY, distance + 80.0f}, {0.0f, 1.0f, 0.0f});
  return view;
}

std::optional<port::Point> projectToBackBuffer(Vec3 point, const Mat4& worldViewProjection, int width,
                                               int height) {
  const auto& m = worldViewProjection.m;
  const float x = point.x * m[0][0] + point.y * m[1][0] + point.z * m[2][0] + m[3][0];
  const float y = point.x * m[0][1] + point.y * m[1][1] + point.z * m[2][1] + m[3][1];
  const float w = point.x * m[0][3] + point.y * m[1][3] + point.z * m[2][3] + m[3][3];
  if (!(w > 0.0f)) {
    return std::nullopt;
  }
  const float screenX = static_cast<float>(width / 2) + 0.5f * (x / w) * static_cast<float>(width);
  const float screenY = static_cast<float>(height / 2) - 0.5f * (y / w) * static_cast<float>(height);
  // A point just in front of the eye lands millions of pixels away; such a pixel has no int.
  constexpr float kLimit = 1.0e9f;
  if (!(std::fabs(screenX) < kLimit && std::fabs(screenY) < kLimit)) {
    return std::nullopt;
  }
  return port::Point{static_cast<int>(screenX), static_cast<int>(screenY)};
}

port::Rect captureSourceRect(CaptureMode captureMode, int width, int height, int outputWidth,
                             int outputHeight) {
  if (captureMode == CaptureMode::Off) {
    return {};
  }
  port::Rect source{0, 0, width, height};
  if (captureMode == CaptureMode::WholeView || outputWidth <= 0) {
    return source;
  }
  const int half = static_cast<int>(static_cast<std::int64_t>(outputHeight) * height / outputWidth);
  source.left = width / 2 - half;
  source.right = width / 2 + half;
  if (source.left < 0) {
    source.left = 0;
    source.right = width;
  }
  return source;
}

}  // namespace zv
