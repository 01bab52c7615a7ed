// Saving and loading a project of 10 models with 50,000 bone keys each, against writing and reading
// the same number of bytes raw. The save collects the records from the pools, lays out the bytes
// and writes them through a temporary file; the load reads the file, checks it, puts every record
// back in fresh pools and repairs the links. Target: at most 3 times the raw cost.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "files/common/atomic_write.h"
#include "files/project/project_links.h"
#include "files/project/project_reader.h"
#include "files/project/project_scene.h"
#include "files/project/project_writer.h"

namespace {

constexpr int kModels = 10;
constexpr std::uint32_t kBones = 100;
constexpr std::uint32_t kMorphs = 10;
constexpr std::uint32_t kKeysPerModel = 50'000;
constexpr std::uint32_t kKeysPerBone = kKeysPerModel / kBones;

std::filesystem::path benchFile(const char* name) {
  return std::filesystem::temp_directory_path() / name;
}

std::unique_ptr<zv::Model> keyedModel() {
  auto model = std::make_unique<zv::Model>();
  model->name = "bench";
  model->filePath = "/models/bench.tsm";
  model->bones.resize(kBones);
  model->morphs.resize(kMorphs);
  model->boneKeyPool = zv::KeyPool<zv::BoneKey>(kBones);
  model->morphKeyPool = zv::KeyPool<zv::MorphKey>(kMorphs);
  for (std::uint32_t bone = 0; bone < kBones; ++bone) {
    std::uint32_t previous = bone;
    for (std::uint32_t key = 0; key < kKeysPerBone; ++key) {
      const std::uint32_t index = kBones + bone * kKeysPerBone + key;
      model->boneKeyPool.linkAfter(bone, previous, index, key + 1);
      model->boneKeyPool.at(index).rotation = {0.1f, 0.2f, 0.3f, 0.9f};
      previous = index;
    }
  }
  return model;
}

zv::Scene& benchScene() {
  static zv::Scene* scene = [] {
    auto* made = new zv::Scene;
    for (int slot = 0; slot < kModels; ++slot) {
      made->modelSlots[static_cast<std::size_t>(slot)] = keyedModel();
      made->modelSlots[static_cast<std::size_t>(slot)]->listIndex = slot + 1;
    }
    return made;
  }();
  return *scene;
}

zv::ProjectFile collect(const zv::Scene& scene) {
  zv::ProjectFile project;
  project.cameraMode = true;
  for (int slot = 0; slot < kModels; ++slot) {
    const zv::Model& model = *scene.modelSlots[static_cast<std::size_t>(slot)];
    project.modelRows.push_back(model.name);
    project.models.push_back(zv::projectModelBlock(model, slot, "\\models\\bench.tsm"));
  }
  project.camera = zv::projectCamera(scene);
  project.light = zv::projectLight(scene);
  return project;
}

std::string readWhole(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

template <typename Record>
void putKeys(zv::KeyPool<Record>& pool, const std::vector<zv::StoredKey<Record>>& keys) {
  for (const zv::StoredKey<Record>& key : keys) {
    pool.put(key.index, key.record);
  }
}

// What a load does to the bytes: check and read them, fill fresh models' pools, repair the links.
std::size_t loadInto(zv::Scene& scene, std::string_view bytes) {
  const zv::ProjectReadResult read = zv::readProject(bytes, [&scene](const zv::ProjectModelBlock& block) {
    auto model = std::make_unique<zv::Model>();
    model->bones.resize(kBones);
    model->morphs.resize(kMorphs);
    model->boneKeyPool = zv::KeyPool<zv::BoneKey>(kBones);
    model->morphKeyPool = zv::KeyPool<zv::MorphKey>(kMorphs);
    scene.modelSlots[block.slot] = std::move(model);
    return std::optional<zv::ProjectModelCounts>({kBones, kMorphs, 0});
  });
  if (!read.project) {
    return 0;
  }
  for (const zv::ProjectModelBlock& block : read.project->models) {
    zv::Model& model = *scene.modelSlots[block.slot];
    for (std::uint32_t bone = 0; bone < kBones; ++bone) {
      model.boneKeyPool.put(bone, block.boneHeads[bone]);
    }
    putKeys(model.boneKeyPool, block.boneKeys);
  }
  return zv::repairProjectLinks(scene).size() + read.project->models.size();
}

void BM_ProjectSave(benchmark::State& state) {
  const zv::Scene& scene = benchScene();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string written = zv::projectBytes(collect(scene));
    bytes = written.size();
    benchmark::DoNotOptimize(zv::writeFileAtomically(benchFile("zv_bench_project.tsf"), written));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMillisecond);

void BM_RawWriteSameBytes(benchmark::State& state) {
  const std::string raw(zv::projectBytes(collect(benchScene())).size(), 'x');
  for (auto _ : state) {
    benchmark::DoNotOptimize(zv::writeFileAtomically(benchFile("zv_bench_raw.bin"), raw));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * raw.size()));
}
BENCHMARK(BM_RawWriteSameBytes)->Unit(benchmark::kMillisecond);

void BM_ProjectLoad(benchmark::State& state) {
  const std::filesystem::path file = benchFile("zv_bench_project_load.tsf");
  zv::writeFileAtomically(file, zv::projectBytes(collect(benchScene())));
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string bytes = readWhole(file);
    size = bytes.size();
    auto scene = std::make_unique<zv::Scene>();
    if (loadInto(*scene, bytes) != kModels) {
      state.SkipWithError("the project did not load whole");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ProjectLoad)->Unit(benchmark::kMillisecond);

void BM_RawReadSameBytes(benchmark::State& state) {
  const std::filesystem::path file = benchFile("zv_bench_raw_load.bin");
  zv::writeFileAtomically(file, std::string(zv::projectBytes(collect(benchScene())).size(), 'x'));
  for (auto _ : state) {
    benchmark::DoNotOptimize(readWhole(file));
  }
}
BENCHMARK(BM_RawReadSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
