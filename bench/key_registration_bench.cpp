#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "scene/keys/key_pool_setup.h"
#include "scene/keys/key_registration.h"

namespace {

constexpr std::uint32_t kBoneCount = 100;
constexpr std::uint32_t kKeyCount = 300'000 - kBoneCount;

// Resident memory of this process in bytes, from the kernel's own accounting.
double residentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0;
}

std::unique_ptr<zv::Model> modelWithBones() {
  auto model = std::make_unique<zv::Model>();
  for (std::uint32_t bone = 0; bone < kBoneCount; ++bone) {
    model->bones.emplace_back().name = "bone" + std::to_string(bone);
  }
  zv::createModelKeyPools(*model);
  return model;
}

enum class Order { Frames, Random };
enum class Bone { ByIndex, ByName };

// Fills a full bone pool over 100 bones, frame by frame as a motion file lists them or in random
// order. Reports keys per second and the memory the pool grew by.
void registerBoneKeys(benchmark::State& state, Order keyOrder, Bone boneLookup) {
  std::vector<std::uint32_t> order(kKeyCount);
  std::iota(order.begin(), order.end(), 0u);
  if (keyOrder == Order::Random) {
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
  }
  zv::Scene scene;
  double refusals = 0;
  zv::BoneKey values;
  double grownBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto model = modelWithBones();
    const double before = residentBytes();
    state.ResumeTiming();
    for (std::uint32_t key : order) {
      values.translation.x = static_cast<float>(key);
      const std::uint32_t bone = key % kBoneCount, frame = key / kBoneCount + 1;
      const zv::KeyWrite written =
          boneLookup == Bone::ByName
              ? zv::registerBoneKeyByName(scene, *model, model->bones[bone].name, frame, 0, values)
              : zv::registerBoneKeyWithValues(scene, *model, bone, frame, values);
      refusals += written.refusal ? 1 : 0;
    }
    state.PauseTiming();
    grownBytes = std::max(grownBytes, residentBytes() - before);
    model.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kKeyCount);
  state.counters["pool_MB"] = grownBytes / 1e6;
  state.counters["messages"] = refusals;
}

void registerBoneKeysInFrameOrder(benchmark::State& state) {
  registerBoneKeys(state, Order::Frames, Bone::ByIndex);
}
BENCHMARK(registerBoneKeysInFrameOrder)->Unit(benchmark::kMillisecond);

void registerBoneKeysByNameInFrameOrder(benchmark::State& state) {
  registerBoneKeys(state, Order::Frames, Bone::ByName);
}
BENCHMARK(registerBoneKeysByNameInFrameOrder)->Unit(benchmark::kMillisecond);

void registerBoneKeysInRandomOrder(benchmark::State& state) {
  registerBoneKeys(state, Order::Random, Bone::ByIndex);
}
BENCHMARK(registerBoneKeysInRandomOrder)->Unit(benchmark::kMillisecond);

// What a full scene costs before any key is set: 100 models' empty pools and the scene's 257.
void emptyPoolsOfAFullScene(benchmark::State& state) {
  double grownBytes = 0;
  for (auto _ : state) {
    const double before = residentBytes();
    auto scene = std::make_unique<zv::Scene>();
    for (auto& slot : scene->modelSlots) {
      slot = modelWithBones();
    }
    grownBytes = std::max(grownBytes, residentBytes() - before);
    benchmark::DoNotOptimize(scene.get());
  }
  state.counters["MB"] = grownBytes / 1e6;
}
BENCHMARK(emptyPoolsOfAFullScene)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
