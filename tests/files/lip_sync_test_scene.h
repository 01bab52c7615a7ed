// A scene with one face model for the lip sync and blink tests, read from a model file made in
// memory: the morphs are named as the test asks and morph 0 is the base.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "files/key_generation/blink.h"
#include "files/key_generation/lip_sync.h"
#include "model_builder.h"
#include "port/text.h"
#include "scene/document/model_reader.h"
#include "scene/document/scene.h"
#include "told_messages.h"

namespace zv::test {

inline constexpr std::initializer_list<const char*> kFaceMorphs = {"あ", "い",       "う",
                                                                   "お", "まばたき", "にやり"};

struct FaceScene {
  ToldMessages ui;
  Scene scene;
  Model* model = nullptr;

  explicit FaceScene(std::initializer_list<const char*> morphNames = kFaceMorphs) {
    TsmModel file = minimalModel();
    file.morphs.push_back({"base", 0, {{0, {0, 0, 0}}, {1, {0, 1, 0}}, {2, {1, 0, 0}}}});
    for (const char* name : morphNames) {
      file.morphs.push_back({name, 3, {{0, {0, 0.1f, 0}}}});
    }
    auto loaded = std::make_unique<Model>();
    EXPECT_FALSE(parseModel(tsmBytes(file), *loaded));
    model = loaded.get();
    scene.modelSlots[0] = std::move(loaded);
    scene.cameraMode = false;
  }

  // The commands on this scene, keeping what they tell.
  bool importSequence(const std::filesystem::path& path) {
    return ui.kept(zv::importSequence(scene, path)).done;
  }
  template <typename... Arguments>
  std::optional<int> insertBlinks(Arguments&&... arguments) {
    return ui.kept(zv::insertBlinks(scene, std::forward<Arguments>(arguments)...)).count;
  }

  std::uint32_t morphIndex(const char* name) const {
    const std::string wanted = port::utf8ToCp932(name);
    for (std::uint32_t morph = 0; morph < model->morphs.size(); ++morph) {
      if (model->morphs[morph].name == wanted) {
        return morph;
      }
    }
    return 0;
  }

  // The keys of a morph's track after its frame-0 head: frame -> weight.
  std::map<std::uint32_t, float> track(const char* name) const {
    std::map<std::uint32_t, float> keys;
    const KeyPool<MorphKey>& pool = model->morphKeyPool;
    for (std::uint32_t at = pool[morphIndex(name)].next; at != 0; at = pool[at].next) {
      keys[pool[at].frame] = pool[at].weight;
    }
    return keys;
  }

  // Every key of the morph pool that is selected, as (morph name index, frame).
  int selectedMorphKeys() const {
    int count = 0;
    for (std::uint32_t at = 0; at < model->morphKeyPool.extent(); ++at) {
      count += model->morphKeyPool[at].selected ? 1 : 0;
    }
    return count;
  }
};

}  // namespace zv::test
