// Posing several models on the pool must give each exactly what posing it alone gives.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "anim/pose_model.h"
#include "scene/document/model_reader.h"

namespace zv {
namespace {

std::unique_ptr<Model> demoCharacter() {
  auto model = std::make_unique<Model>();
  std::filesystem::path path = "UserFile/Model/tessera.tsm";
  EXPECT_EQ(readModelFile(path, std::filesystem::current_path(), *model), std::nullopt);
  return model;
}

// A different pose for each model, so a model posed with another's bones would show.
void poseDifferently(Model& model, int which) {
  const float turn = 0.03f * static_cast<float>(which + 1);
  for (Bone& bone : model.bones) {
    bone.keyRotation = {turn, 0.1f, 0.02f, 0.99f};
  }
  for (Morph& morph : model.morphs) {
    morph.weight = 0.1f * static_cast<float>(which % 10);
  }
}

template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

TEST(PoseModels, ThePoolGivesEachModelWhatPosingItAloneGives) {
  constexpr int kModels = 12;
  const Mat4 world{};
  const Vec3 eye{1, 10, -60};
  std::vector<std::unique_ptr<Model>> together, alone;
  std::vector<Model*> pointers;
  for (int m = 0; m < kModels; ++m) {
    together.push_back(demoCharacter());
    alone.push_back(demoCharacter());
    poseDifferently(*together.back(), m);
    poseDifferently(*alone.back(), m);
    pointers.push_back(together.back().get());
  }
  port::WorkerPool pool(3);
  for (int frame = 0; frame < 3; ++frame) {
    poseModels(pointers, world, eye, pool);
    for (int m = 0; m < kModels; ++m) {
      poseModel(*alone[m], world, eye);
      EXPECT_TRUE(sameBytes(together[m]->modelVertices, alone[m]->modelVertices)) << "model " << m;
      EXPECT_TRUE(sameBytes(together[m]->edgeVertices, alone[m]->edgeVertices)) << "model " << m;
      EXPECT_TRUE(sameBytes(together[m]->skinningMatrices, alone[m]->skinningMatrices)) << "model " << m;
    }
  }
}

}  // namespace
}  // namespace zv
