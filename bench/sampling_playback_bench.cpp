// Playback sampling must cost only the keys passed since the previous frame, however long the
// tracks are. Every scene here holds 100 models whose bone tracks carry a key every second frame;
// one iteration plays the last minute of the tracks, so each frame passes the same number of keys
// while the tracks grow from 900 keys to the pool's limit.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "anim/sampling.h"
#include "scene/document/scene.h"
#include "scene/keys/key_pool_setup.h"

namespace {

constexpr int kModels = 100;
constexpr std::uint32_t kKeySpacing = 2;       // frames between keys
constexpr std::uint32_t kMinuteFrames = 1800;  // a minute at 30 frames per second

// Track k of bone b: keys at frames 2, 4, ..., 2 x keysPerTrack, alternating two poses.
void fillBoneTracks(zv::Model& model, std::uint32_t keysPerTrack) {
  auto& pool = model.boneKeyPool;
  auto boneCount = static_cast<std::uint32_t>(model.bones.size());
  for (std::uint32_t bone = 0; bone < boneCount; ++bone) {
    std::uint32_t previous = bone;
    for (std::uint32_t k = 1; k <= keysPerTrack; ++k) {
      std::uint32_t index = boneCount + bone * keysPerTrack + (k - 1);
      zv::BoneKey key;
      key.frame = k * kKeySpacing;
      key.prev = previous;
      key.rotation = k % 2 ? zv::Quat{0, 0.70710678f, 0, 0.70710678f} : zv::Quat{};
      key.translation = {static_cast<float>(k % 3), 0, 0};
      pool.put(index, key);
      zv::BoneKey linked = pool[previous];
      linked.next = index;
      pool.put(previous, linked);
      previous = index;
    }
  }
}

std::unique_ptr<zv::Scene> buildScene(int bonesPerModel, std::uint32_t keysPerTrack) {
  auto scene = std::make_unique<zv::Scene>();
  for (int slot = 0; slot < kModels; ++slot) {
    auto model = std::make_unique<zv::Model>();
    model->bones.resize(bonesPerModel);
    model->bones[0].type = zv::kBoneTypeRotateMove;
    zv::createModelKeyPools(*model);
    fillBoneTracks(*model, keysPerTrack);
    scene->modelSlots[slot] = std::move(model);
  }
  return scene;
}

// Building a scene takes seconds, so the last one is kept while its arguments repeat.
zv::Scene& sceneFor(int bonesPerModel, std::uint32_t keysPerTrack) {
  static std::unique_ptr<zv::Scene> scene;
  static int builtBones = 0;
  static std::uint32_t builtKeys = 0;
  if (!scene || builtBones != bonesPerModel || builtKeys != keysPerTrack) {
    scene.reset();
    scene = buildScene(bonesPerModel, keysPerTrack);
    builtBones = bonesPerModel;
    builtKeys = keysPerTrack;
  }
  return *scene;
}

// Arguments: bones per model, keys per track. One iteration is a minute of frame steps.
void playLastMinute(benchmark::State& state) {
  auto keysPerTrack = static_cast<std::uint32_t>(state.range(1));
  zv::Scene& scene = sceneFor(static_cast<int>(state.range(0)), keysPerTrack);
  std::uint32_t firstFrame = keysPerTrack * kKeySpacing - kMinuteFrames;
  for (auto _ : state) {
    state.PauseTiming();
    scene.currentTime = static_cast<float>(firstFrame) / zv::kFramesPerSecond;
    zv::seekScene(scene);
    state.ResumeTiming();
    for (std::uint32_t step = 0; step < kMinuteFrames; ++step) {
      scene.currentTime = static_cast<float>(firstFrame + step) / zv::kFramesPerSecond;
      zv::advanceScene(scene);
    }
    benchmark::DoNotOptimize(scene.modelSlots[0]->bones[0].keyRotation);
  }
  state.counters["perFrame"] = benchmark::Counter(
      kMinuteFrames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// 2,999 keys on 100 tracks and 10,000 keys on 29 tracks fill a model's 300,000-record bone pool.
BENCHMARK(playLastMinute)
    ->Args({100, 900})
    ->Args({100, 2999})
    ->Args({29, 900})
    ->Args({29, 10000})
    ->Unit(benchmark::kMillisecond);

// For contrast: sampling one frame by walking every track from its head, as editing does.
void sampleLastFrameFromHeads(benchmark::State& state) {
  auto keysPerTrack = static_cast<std::uint32_t>(state.range(1));
  zv::Scene& scene = sceneFor(static_cast<int>(state.range(0)), keysPerTrack);
  for (auto _ : state) {
    for (auto& model : scene.modelSlots) {
      zv::sampleModelAtFrame(*model, keysPerTrack * kKeySpacing - 1);
    }
    benchmark::DoNotOptimize(scene.modelSlots[0]->bones[0].keyRotation);
  }
}
BENCHMARK(sampleLastFrameFromHeads)
    ->Args({100, 900})
    ->Args({100, 2999})
    ->Args({29, 900})
    ->Args({29, 10000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
