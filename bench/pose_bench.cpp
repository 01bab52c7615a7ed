// Pose-and-skin cost against the cost of merely copying the bytes skinning reads and writes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "anim/pose_model.h"
#include "anim/sampling.h"
#include "files/motion/motion_file.h"
#include "port/paths.h"
#include "scene/document/model_reader.h"

namespace {

void readDemoCharacter(zv::Model& model) {
  std::filesystem::path path = zv::port::executableDirectory() / "UserFile" / "Model" / "tessera.tsm";
  if (zv::readModelFile(path, zv::port::executableDirectory(), model)) {
    model.bones.clear();  // reported as missing below
  }
}

zv::Model demoCharacter() {
  zv::Model model;
  readDemoCharacter(model);
  return model;
}

void turnEveryBone(zv::Model& model) {
  for (zv::Bone& bone : model.bones) {
    bone.keyRotation = {0.05f, 0.1f, 0.02f, 0.9935f};
  }
  for (zv::Morph& morph : model.morphs) {
    morph.weight = 0.5f;
  }
}

// The demo character with every bone turned a little, so that its leg IK cannot reach and runs all
// its iterations (the worst case), and every morph at half weight.
zv::Model demoCharacterPosed() {
  zv::Model model = demoCharacter();
  turnEveryBone(model);
  return model;
}

// The demo character at frame 30 of the demo motion, its middle: the centre has sunk 0.3, so the
// leg IK bends the knees to keep the feet on their targets.
zv::Model demoCharacterInTheDemoMotion() {
  auto scene = std::make_unique<zv::Scene>();
  scene->modelSlots[0] = std::make_unique<zv::Model>();
  zv::Model& model = *scene->modelSlots[0];
  readDemoCharacter(model);
  scene->currentModel = 0;
  scene->cameraMode = false;
  const std::filesystem::path motion = zv::port::executableDirectory() / "UserFile/Motion/tessera_wave.vmd";
  if (model.bones.empty() || !zv::loadMotion(*scene, motion).done) {
    return zv::Model();  // no bones: reported as missing
  }
  zv::sampleModelAtFrame(model, 30);
  return std::move(model);
}

// 100 bones in a chain and 100,000 vertices spread over neighbouring pairs of them.
zv::Model syntheticModel() {
  zv::Model model;
  for (int b = 0; b < 100; ++b) {
    zv::Bone bone;
    bone.parent = static_cast<std::int16_t>(b - 1);
    bone.head = {0, static_cast<float>(b) * 0.2f, 0};
    bone.keyRotation = {0.01f, 0.02f, 0, 0.9997f};
    model.bones.push_back(bone);
  }
  for (int i = 0; i < 100'000; ++i) {
    zv::SourceVertex v;
    v.position = {static_cast<float>(i % 17) * 0.1f, static_cast<float>(i % 100) * 0.2f, 0.5f};
    v.normal = {0, 0, -1};
    v.firstBone = static_cast<std::uint16_t>(i % 100);
    v.secondBone = static_cast<std::uint16_t>((i + 1) % 100);
    v.firstBoneWeight = static_cast<std::uint8_t>(i % 101);
    model.sourceVertices.push_back(v);
  }
  model.modelVertices.resize(model.sourceVertices.size());
  model.edgeVertices.resize(model.sourceVertices.size());
  return model;
}

double wallSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Thread CPU time, so that other work on a shared machine does not count against either side.
double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One pose-and-skin, then a copy of the bytes skinning touches per vertex (the source vertex read,
// both buffer entries written), alternating so both see the same machine. The reported time is
// the pose-and-skin; copy_us and ratio compare it with the copy.
void poseAndSkin(benchmark::State& state, zv::Model model) {
  if (model.bones.empty()) {
    state.SkipWithError("model missing");
    return;
  }
  std::size_t bytes = model.sourceVertices.size() *
                      (sizeof(zv::SourceVertex) + sizeof(zv::MeshVertex) + sizeof(zv::EdgeVertex));
  std::vector<char> from(bytes, 1), to(bytes);
  double poseTotal = 0, copyTotal = 0;
  for (auto _ : state) {
    double start = cpuSeconds();
    zv::poseModel(model, zv::Mat4{}, {0, 0, -35});
    benchmark::DoNotOptimize(model.modelVertices.data());
    double posed = cpuSeconds();
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    double copied = cpuSeconds();
    state.SetIterationTime(posed - start);
    poseTotal += posed - start;
    copyTotal += copied - posed;
  }
  auto perIteration = static_cast<double>(state.iterations());
  state.counters["vertices"] = static_cast<double>(model.sourceVertices.size());
  state.counters["copy_us"] = copyTotal / perIteration * 1e6;
  state.counters["ratio"] = poseTotal / copyTotal;
}

BENCHMARK_CAPTURE(poseAndSkin, demoCharacter, demoCharacter())
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(poseAndSkin, demoCharacterPosed, demoCharacterPosed())
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(poseAndSkin, demoCharacterInTheDemoMotion, demoCharacterInTheDemoMotion())
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(poseAndSkin, synthetic100k, syntheticModel())
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// A frame's posing of 100 demo characters, every bone turned, on the worker pool, in wall time, against
// posing one of them alone: ratio is the hundred's time over (one's time x 100 / cores), 1.0 when
// the pool shares the work perfectly.
void poseHundredCharacters(benchmark::State& state) {
  constexpr int kCharacters = 100;
  std::vector<std::unique_ptr<zv::Model>> models;
  std::vector<zv::Model*> pointers;
  for (int m = 0; m < kCharacters; ++m) {
    models.push_back(std::make_unique<zv::Model>());
    readDemoCharacter(*models.back());
    if (models.back()->bones.empty()) {
      state.SkipWithError("model missing");
      return;
    }
    turnEveryBone(*models.back());
    pointers.push_back(models.back().get());
  }
  zv::port::WorkerPool pool;
  const double cores = pool.threadCount() + 1;
  const zv::Mat4 world{};
  const zv::Vec3 eye{0, 0, -35};
  double hundredTotal = 0, oneTotal = 0;
  for (auto _ : state) {
    double start = wallSeconds();
    zv::poseModels(pointers, world, eye, pool);
    double posedAll = wallSeconds();
    zv::poseModel(*pointers[0], world, eye);
    double posedOne = wallSeconds();
    state.SetIterationTime(posedAll - start);
    hundredTotal += posedAll - start;
    oneTotal += posedOne - posedAll;
  }
  state.counters["cores"] = cores;
  state.counters["one_us"] = oneTotal / static_cast<double>(state.iterations()) * 1e6;
  state.counters["ratio"] = hundredTotal / (oneTotal * kCharacters / cores);
}
BENCHMARK(poseHundredCharacters)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
