// Small in-memory models for the key store tests: named bones, morphs and IK chains with their
// key pools created as the reader creates them.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "port/text.h"
#include "scene/document/scene.h"
#include "scene/keys/key_pool_setup.h"

namespace zv::test {

inline std::unique_ptr<Model> keyTestModel(std::initializer_list<const char*> boneNames, int morphCount = 0,
                                           int ikChainCount = 0) {
  auto model = std::make_unique<Model>();
  for (const char* name : boneNames) {
    model->bones.emplace_back().name = port::utf8ToCp932(name);
  }
  for (int morph = 0; morph < morphCount; ++morph) {
    model->morphs.emplace_back().name = "m" + std::to_string(morph);
  }
  for (int chain = 0; chain < ikChainCount; ++chain) {
    model->ikChains.emplace_back().ikBone = static_cast<std::uint16_t>(chain);
  }
  model->boneSelected.assign(model->bones.size(), 0);
  model->boneMoved.assign(model->bones.size(), 0);
  createModelKeyPools(*model);
  return model;
}

// A scene with `model` in slot 0 as the current model.
struct KeyTestScene {
  Scene scene;
  Model* model = nullptr;

  explicit KeyTestScene(std::unique_ptr<Model> loaded = keyTestModel({"a", "b", "c"})) {
    model = loaded.get();
    scene.modelSlots[0] = std::move(loaded);
    scene.cameraMode = false;
  }
};

}  // namespace zv::test
