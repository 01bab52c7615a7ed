#include "anim/interpolation.h"
#include "anim/sampling.h"
#include "anim/sampling_walk.h"

namespace zv {

namespace {

using sampling::Cursor;

struct CameraSampler {
  LiveCamera& camera;
  void operator()(const CameraKey& key) const { camera = cameraAtKey(key); }
  void operator()(const CameraKey& prev, const CameraKey& key, float f) const {
    camera = interpolateCamera(prev, key, f);
  }
};

struct LightSampler {
  LiveLight& light;
  void operator()(const LightKey& key) const { light = lightAtKey(key); }
  void operator()(const LightKey& prev, const LightKey& key, float f) const {
    light = interpolateLight(prev, key, segmentPosition(prev.frame, key.frame, f));
  }
};

// Accessories step: between keys the earlier key holds.
struct AccessorySampler {
  AccessoryState& accessory;
  void operator()(const AccessoryKey& key) const { applyAccessoryKey(accessory, key); }
  void operator()(const AccessoryKey& prev, const AccessoryKey&, float) const { (*this)(prev); }
};

bool cameraFollowsTracks(const Scene& scene) {
  return scene.cameraMode || scene.followCameraLight;
}

Cursor<bool> accessoryCursor(Scene& scene, int slot) {
  return {scene.accessoryKeyCursors[slot], scene.accessoryTrackActive[slot]};
}

}  // namespace

void seekScene(Scene& scene) {
  for (auto& model : scene.modelSlots) {
    if (model) {
      seekModel(*model, scene.currentTime);
    }
  }
  float f = scene.currentTime * kFramesPerSecond;
  if (cameraFollowsTracks(scene)) {
    scene.viewOffsetX = 0.0f;
    scene.viewOffsetY = 0.0f;
    scene.cameraKeyCursor = 0;
    scene.cameraTrackActive = true;
    sampling::passKeysBefore(scene.cameraKeyPool, Cursor{scene.cameraKeyCursor, scene.cameraTrackActive}, f,
                             CameraSampler{scene.camera});
    scene.lightKeyCursor = 0;
    scene.lightTrackActive = true;
    sampling::passKeysBefore(scene.lightKeyPool, Cursor{scene.lightKeyCursor, scene.lightTrackActive}, f,
                             LightSampler{scene.light});
  }
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    scene.accessoryKeyCursors[slot] = 0;
    scene.accessoryTrackActive[slot] = scene.accessories[slot].loaded;
    sampling::passKeysBefore(scene.accessoryKeyPools[slot], accessoryCursor(scene, slot), f,
                             AccessorySampler{scene.accessories[slot]});
  }
}

void advanceScene(Scene& scene, port::WorkerPool* pool) {
  const std::vector<Model*> models = loadedModels(scene);
  const auto advance = [&](std::size_t i) { advanceModel(*models[i], scene.currentTime); };
  if (pool) {
    pool->run(models.size(), advance);
  } else {
    for (std::size_t i = 0; i < models.size(); ++i) {
      advance(i);
    }
  }
  float f = scene.currentTime * kFramesPerSecond;
  if (cameraFollowsTracks(scene)) {
    CameraSampler camera{scene.camera};
    sampling::advanceCursor(scene.cameraKeyPool, Cursor{scene.cameraKeyCursor, scene.cameraTrackActive}, f,
                            camera, camera);
    LightSampler light{scene.light};
    sampling::advanceCursor(scene.lightKeyPool, Cursor{scene.lightKeyCursor, scene.lightTrackActive}, f,
                            light, light);
  }
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    if (scene.accessoryTrackActive[slot]) {
      AccessorySampler accessory{scene.accessories[slot]};
      sampling::advanceCursor(scene.accessoryKeyPools[slot], accessoryCursor(scene, slot), f, accessory,
                              accessory);
    }
  }
}

void sampleCameraAtFrame(Scene& scene, std::uint32_t frame) {
  CameraSampler camera{scene.camera};
  sampling::sampleTrack(scene.cameraKeyPool, 0, frame, camera, camera);
}

void sampleLightAtFrame(Scene& scene, std::uint32_t frame) {
  LightSampler light{scene.light};
  sampling::sampleTrack(scene.lightKeyPool, 0, frame, light, light);
}

void sampleAccessoryAtFrame(Scene& scene, int slot, std::uint32_t frame) {
  if (slot < 0 || slot >= kMaxAccessories || !scene.accessories[slot].loaded) {
    return;
  }
  AccessorySampler accessory{scene.accessories[slot]};
  sampling::sampleTrack(scene.accessoryKeyPools[slot], 0, frame, accessory, accessory);
}

CameraProjection cameraProjection(const LiveCamera& camera) {
  CameraProjection projection;
  projection.fieldOfViewRadians = camera.fieldOfView / 180.0f * kSixDigitPi<float>;
  return projection;
}

}  // namespace zv
