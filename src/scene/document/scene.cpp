#include "scene/document/scene.h"

namespace zv {

Model* modelInSlot(Scene& scene, int slot) {
  if (slot < 0 || slot >= kMaxModels) {
    return nullptr;
  }
  return scene.modelSlots[slot].get();
}

std::vector<Model*> loadedModels(Scene& scene) {
  std::vector<Model*> models;
  for (std::unique_ptr<Model>& model : scene.modelSlots) {
    if (model) {
      models.push_back(model.get());
    }
  }
  return models;
}

Model* currentModel(Scene& scene) {
  return modelInSlot(scene, scene.currentModel);
}

const Model* currentModel(const Scene& scene) {
  return scene.currentModel < kMaxModels ? scene.modelSlots[scene.currentModel].get() : nullptr;
}

void resetScene(Scene& scene) {
  for (auto& slot : scene.modelSlots) {
    slot.reset();
  }
  scene.currentModel = 0;
  scene.currentAccessory = 0;
  scene.currentFrame = 0;
  scene.currentTime = 0.0f;
  scene.camera = LiveCamera{};
  scene.light = LiveLight{};
  scene.cameraKeyPool = KeyPool<CameraKey>{};
  scene.lightKeyPool = KeyPool<LightKey>{};
  for (auto& pool : scene.accessoryKeyPools) {
    pool = KeyPool<AccessoryKey>{};
  }
  scene.accessories = {};
  scene.cameraKeyCursor = 0;
  scene.cameraTrackActive = false;
  scene.lightKeyCursor = 0;
  scene.lightTrackActive = false;
  scene.accessoryKeyCursors = {};
  scene.accessoryTrackActive = {};
  scene.lastFrame = 0;
  scene.cameraMode = true;
  scene.modified = false;
}

}  // namespace zv
