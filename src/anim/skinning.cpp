#include "anim/skinning.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstring>

namespace zv {
namespace {

constexpr float kTuckedInside = 0.005f;

static_assert(offsetof(MeshVertex, normal) == offsetof(MeshVertex, position) + sizeof(Vec3),
              "a whole-vector position store spills onto the normal only");

// All four columns of a row-vector product, so the compiler can keep a row in one vector register.
// The fourth column is computed and dropped.
using Lanes = std::array<float, 4>;

// The two bone weights of every possible weight byte, first / 100 and 1 - first / 100, each
// repeated across the lanes: the vertex loop neither converts, divides nor broadcasts.
struct alignas(16) WeightLanes {
  Lanes first, second;
};
constexpr std::array<WeightLanes, 256> kWeightLanes = [] {
  std::array<WeightLanes, 256> table{};
  for (int percent = 0; percent < 256; ++percent) {
    float first = static_cast<float>(percent) / 100.0f;
    float second = 1.0f - first;
    table[percent] = {{first, first, first, first}, {second, second, second, second}};
  }
  return table;
}();

// p x m with w = 1, each column summed in the order x, y, z, translation row. Inlined by force:
// called out of line, the four lanes round-trip through memory on every call.
[[gnu::always_inline]] inline Lanes pointTimes(const Vec3& p, const Mat4& m) {
  Lanes r;
  for (int j = 0; j < 4; ++j) {
    r[j] = p.x * m.m[0][j] + p.y * m.m[1][j] + p.z * m.m[2][j] + m.m[3][j];
  }
  return r;
}

// a x first + b x second, column by column.
Lanes weightedSum(const Lanes& a, const Lanes& first, const Lanes& b, const Lanes& second) {
  Lanes r;
  for (int j = 0; j < 4; ++j) {
    r[j] = a[j] * first[j] + b[j] * second[j];
  }
  return r;
}

// The surface point moved along the normal by `distance`.
Lanes pushedOut(const Lanes& position, const Lanes& normal, float distance) {
  Lanes r;
  for (int j = 0; j < 4; ++j) {
    r[j] = position[j] + normal[j] * distance;
  }
  return r;
}

// position + offset x weight, spelled out per component so the morph loop makes no calls.
void addScaled(Vec3& position, const Vec3& offset, float weight) {
  position.x = position.x + offset.x * weight;
  position.y = position.y + offset.y * weight;
  position.z = position.z + offset.z * weight;
}

// Sized once per model; afterwards a frame only copies.
const SkinningMatrices* gatherSkinningMatrices(Model& model) {
  model.skinningMatrices.resize(model.bones.size());
  for (std::size_t b = 0; b < model.bones.size(); ++b) {
    model.skinningMatrices[b] = {model.bones[b].globalTransform, model.bones[b].globalRotation};
  }
  return model.skinningMatrices.data();
}

}  // namespace

void applyMorphs(Model& model) {
  if (model.morphs.empty()) {
    return;
  }
  std::vector<MorphVertex>& base = model.morphs[0].vertices;
  for (std::size_t k = 0; k < base.size(); ++k) {
    base[k].position = model.baseMorphRest[k];
  }
  for (std::size_t m = 1; m < model.morphs.size(); ++m) {
    const Morph& morph = model.morphs[m];
    if (!(morph.weight > 0.0f)) {
      continue;
    }
    for (const MorphVertex& offset : morph.vertices) {
      addScaled(base[offset.index].position, offset.position, morph.weight);
    }
  }
  for (const MorphVertex& entry : base) {
    model.sourceVertices[entry.index].position = entry.position;
  }
}

float outlineOffset(const Model& model, const Mat4& world, Vec3 eye) {
  const Bone& reference = model.bones[model.bones.size() > 1 ? 1 : 0];
  Vec3 seen = transformPoint(transformPoint(reference.head, reference.globalTransform), world);
  return length(seen - eye) * 0.00072f + 0.0096f;
}

// Also built for AVX2 and picked at load time: the three-operand forms and broadcasts straight from
// memory take about a sixth of the vertex loop's instructions away. The sums and their order are the
// same and AVX2 brings no fused multiply-add, so both builds give the same bits.
[[gnu::target_clones("avx2", "default")]] void skinVertices(Model& model, float offset) {
  const SkinningMatrices* bones = gatherSkinningMatrices(model);
  const SourceVertex* sources = model.sourceVertices.data();
  MeshVertex* meshOut = model.modelVertices.data();
  EdgeVertex* edgeOut = model.edgeVertices.data();
  const std::size_t count = model.sourceVertices.size();
  assert(model.modelVertices.size() == count && model.edgeVertices.size() == count &&
         "the vertex and outline arrays are sized with the source vertices when the model is read");
  // Indexed by the no-edge flag rather than chosen by a branch that flags in any order mispredict.
  // Tucking inside is P + N x -0.005, the same bits as P - N x 0.005.
  const std::array<float, 2> pushBy = {offset, -kTuckedInside};
  for (std::size_t i = 0; i < count; ++i) {
    const SourceVertex& v = sources[i];
    const SkinningMatrices& first = bones[v.firstBone];
    const SkinningMatrices& second = bones[v.secondBone];
    const WeightLanes& w = kWeightLanes[v.firstBoneWeight];
    // Most vertices follow one bone: its products are the same bits, computed once.
    const Lanes firstPoint = pointTimes(v.position, first.transform);
    // The rotations' translation rows are zero, so their full rows turn the normal as a direction.
    const Lanes firstNormal = pointTimes(v.normal, first.rotation);
    Lanes secondPoint = firstPoint, secondNormal = firstNormal;
    if (v.firstBone != v.secondBone) {
      secondPoint = pointTimes(v.position, second.transform);
      secondNormal = pointTimes(v.normal, second.rotation);
    }
    Lanes position = weightedSum(w.first, firstPoint, w.second, secondPoint);
    Lanes normal = weightedSum(w.second, secondNormal, w.first, firstNormal);
    Lanes edge = pushedOut(position, normal, pushBy[v.noEdge]);
    // The position goes out as one whole vector; its spare fourth lane lands on normal.x, which
    // the normal overwrites at once.
    std::memcpy(reinterpret_cast<char*>(&meshOut[i]) + offsetof(MeshVertex, position), position.data(),
                sizeof position);
    meshOut[i].normal = {normal[0], normal[1], normal[2]};
    edgeOut[i].position = {edge[0], edge[1], edge[2]};
  }
}

}  // namespace zv
