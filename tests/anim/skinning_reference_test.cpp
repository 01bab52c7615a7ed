// The tuned morph and skinning loops must give exactly the bits of the plain formulas, written out
// here one vertex at a time with the shared vector helpers.
#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "anim/pose_model.h"
#include "scene/document/model_reader.h"

namespace zv {
namespace {

struct Expected {
  std::vector<Vec3> sourcePositions;
  std::vector<MeshVertex> modelVertices;
  std::vector<EdgeVertex> edgeVertices;
};

std::vector<Vec3> morphedPositions(const Model& model, std::vector<Vec3> positions) {
  if (model.morphs.empty()) {
    return positions;
  }
  std::vector<Vec3> base = model.baseMorphRest;
  for (std::size_t m = 1; m < model.morphs.size(); ++m) {
    if (model.morphs[m].weight > 0.0f) {
      for (const MorphVertex& offset : model.morphs[m].vertices) {
        base[offset.index] = base[offset.index] + offset.position * model.morphs[m].weight;
      }
    }
  }
  for (std::size_t k = 0; k < base.size(); ++k) {
    positions[model.morphs[0].vertices[k].index] = base[k];
  }
  return positions;
}

// What a pose should produce from the rest positions, given the bones `model` was posed to.
Expected expectedSkin(const Model& model, const std::vector<Vec3>& restPositions, const Mat4& world,
                      Vec3 eye) {
  Expected out{morphedPositions(model, restPositions), model.modelVertices, model.edgeVertices};
  const Bone& reference = model.bones[model.bones.size() > 1 ? 1 : 0];
  Vec3 seen = transformPoint(transformPoint(reference.head, reference.globalTransform), world);
  float offset = length(seen - eye) * 0.00072f + 0.0096f;
  for (std::size_t i = 0; i < model.sourceVertices.size(); ++i) {
    const SourceVertex& v = model.sourceVertices[i];
    const Bone& b0 = model.bones[v.firstBone];
    const Bone& b1 = model.bones[v.secondBone];
    Vec3 p = out.sourcePositions[i];
    float w = static_cast<float>(v.firstBoneWeight) / 100.0f;
    Vec3 position =
        transformPoint(p, b0.globalTransform) * w + transformPoint(p, b1.globalTransform) * (1.0f - w);
    Vec3 normal = transformPoint(v.normal, b1.globalRotation) * (1.0f - w) +
                  transformPoint(v.normal, b0.globalRotation) * w;
    out.modelVertices[i].position = position;
    out.modelVertices[i].normal = normal;
    out.edgeVertices[i].position = v.noEdge ? position - normal * 0.005f : position + normal * offset;
  }
  return out;
}

std::uint32_t bits(float f) {
  return std::bit_cast<std::uint32_t>(f);
}

void expectSameBits(Vec3 actual, Vec3 expected, const char* what, std::size_t i) {
  EXPECT_TRUE(bits(actual.x) == bits(expected.x) && bits(actual.y) == bits(expected.y) &&
              bits(actual.z) == bits(expected.z))
      << what << " " << i << ": (" << actual.x << ", " << actual.y << ", " << actual.z << ") vs ("
      << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

void expectSame(const Model& model, const Expected& expected) {
  ASSERT_EQ(model.modelVertices.size(), expected.modelVertices.size());
  for (std::size_t i = 0; i < model.sourceVertices.size(); ++i) {
    expectSameBits(model.sourceVertices[i].position, expected.sourcePositions[i], "source", i);
    expectSameBits(model.modelVertices[i].position, expected.modelVertices[i].position, "position", i);
    expectSameBits(model.modelVertices[i].normal, expected.modelVertices[i].normal, "normal", i);
    expectSameBits(model.edgeVertices[i].position, expected.edgeVertices[i].position, "edge", i);
    // Texture coordinates and outline colours belong to the reader.
    ASSERT_EQ(bits(model.modelVertices[i].u), bits(expected.modelVertices[i].u));
    ASSERT_EQ(bits(model.modelVertices[i].v), bits(expected.modelVertices[i].v));
    ASSERT_EQ(model.edgeVertices[i].diffuse, expected.edgeVertices[i].diffuse);
    if (testing::Test::HasFailure()) {
      return;  // one vertex tells enough
    }
  }
}

class RandomPoses {
 public:
  float uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(engine_); }
  int below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }
  Vec3 vec(float extent) {
    return {uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent)};
  }

  Quat rotation() {
    Quat q{uniform(-1, 1), uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)};
    float norm = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    return {q.x / norm, q.y / norm, q.z / norm, q.w / norm};
  }

  // New keyed values for every bone and weights for every morph (some zero, some negative).
  void pose(Model& model) {
    for (Bone& bone : model.bones) {
      bone.keyRotation = rotation();
      bone.keyTranslation = below(3) == 0 ? vec(2) : Vec3{};
    }
    for (Morph& morph : model.morphs) {
      int kind = below(4);
      morph.weight = kind == 0 ? 0.0f : kind == 1 ? uniform(-1, 0) : uniform(0, 1);
    }
  }

  Mat4 world() {
    Mat4 m = toMatrix(rotation());
    Vec3 t = vec(5);
    m.m[3][0] = t.x;
    m.m[3][1] = t.y;
    m.m[3][2] = t.z;
    return m;
  }

 private:
  std::mt19937 engine_{20240611};
};

// A skeleton of `boneCount` with random parents (some after their children) and random mesh,
// weights, outline flags and morphs; the reader-owned vertex fields hold marks to check later.
Model randomModel(RandomPoses& random, int boneCount, int vertexCount) {
  Model model;
  for (int b = 0; b < boneCount; ++b) {
    Bone bone;
    bone.parent = static_cast<std::int16_t>(b == 0 ? -1 : random.below(boneCount + 1) - 1);
    bone.head = random.vec(10);
    bone.type = random.below(6) == 0 ? kBoneTypeLinked : 0;
    bone.linkedBone = static_cast<std::uint16_t>(random.below(boneCount));
    model.bones.push_back(bone);
  }
  for (int i = 0; i < vertexCount; ++i) {
    SourceVertex v;
    v.position = random.vec(10);
    v.normal = normalised(random.vec(1));
    v.firstBone = static_cast<std::uint16_t>(random.below(boneCount));
    v.secondBone = static_cast<std::uint16_t>(random.below(4) == 0 ? v.firstBone : random.below(boneCount));
    int kind = random.below(5);
    v.firstBoneWeight = static_cast<std::uint8_t>(kind == 0 ? 0 : kind == 1 ? 100 : random.below(101));
    v.noEdge = random.below(3) == 0;
    model.sourceVertices.push_back(v);
    model.modelVertices.push_back({{}, {}, static_cast<float>(i), 0.25f});
    EdgeVertex edge;
    edge.diffuse = 0xFF000000u + static_cast<std::uint32_t>(i);
    model.edgeVertices.push_back(edge);
  }
  Morph base;
  for (int i = 0; i < vertexCount; i += 1 + random.below(3)) {
    base.vertices.push_back({static_cast<std::uint32_t>(i), random.vec(10)});
    model.baseMorphRest.push_back(base.vertices.back().position);
  }
  model.morphs.push_back(base);
  for (int m = 0; m < 12 && !base.vertices.empty(); ++m) {
    Morph morph;
    for (int k = 0; k < 40; ++k) {
      auto entry = static_cast<std::uint32_t>(random.below(static_cast<int>(base.vertices.size())));
      morph.vertices.push_back({entry, random.vec(0.5f)});
    }
    model.morphs.push_back(morph);
  }
  return model;
}

std::vector<Vec3> restPositions(const Model& model) {
  std::vector<Vec3> positions;
  for (const SourceVertex& v : model.sourceVertices) {
    positions.push_back(v.position);
  }
  return positions;
}

void expectFramesMatchTheFormulas(Model& model, RandomPoses& random, int frames) {
  const std::vector<Vec3> rest = restPositions(model);
  for (int frame = 0; frame < frames; ++frame) {
    SCOPED_TRACE(frame);
    random.pose(model);
    Mat4 world = frame == 0 ? Mat4{} : random.world();
    Vec3 eye{random.uniform(-5, 5), random.uniform(-5, 5), random.uniform(-80, -10)};
    poseModel(model, world, eye);
    expectSame(model, expectedSkin(model, rest, world, eye));
    if (testing::Test::HasFailure()) {
      return;
    }
  }
}

TEST(SkinningBits, DemoCharacterMatchesThePlainFormulasFrameAfterFrame) {
  Model model;
  std::filesystem::path path = "UserFile/Model/tessera.tsm";
  ASSERT_EQ(readModelFile(path, std::filesystem::current_path(), model), std::nullopt);
  ASSERT_FALSE(model.morphs.empty());
  ASSERT_FALSE(model.ikChains.empty());
  RandomPoses random;
  expectFramesMatchTheFormulas(model, random, 6);
}

TEST(SkinningBits, RandomModelsMatchThePlainFormulasFrameAfterFrame) {
  RandomPoses random;
  for (int boneCount : {1, 2, 37}) {
    SCOPED_TRACE(boneCount);
    Model model = randomModel(random, boneCount, 2003);
    expectFramesMatchTheFormulas(model, random, 5);
  }
}

TEST(SkinningBits, ModelsWithoutMorphsOrVerticesPoseCleanly) {
  RandomPoses random;
  Model model = randomModel(random, 5, 17);
  model.morphs.clear();
  model.baseMorphRest.clear();
  expectFramesMatchTheFormulas(model, random, 2);

  Model empty = randomModel(random, 3, 0);
  poseModel(empty, Mat4{}, {0, 0, -35});
  EXPECT_TRUE(empty.modelVertices.empty());
}

}  // namespace
}  // namespace zv
