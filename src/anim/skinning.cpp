#include "anim/skinning.h"

namespace zv {
namespace {

constexpr float kTuckedInside = 0.005f;

// a x first + b x second, component by component.
Vec3 weightedSum(float a, Vec3 first, float b, Vec3 second) {
  return {a * first.x + b * second.x, a * first.y + b * second.y, a * first.z + b * second.z};
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
      Vec3& position = base[offset.index].position;
      position = position + offset.position * morph.weight;
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

void skinVertices(Model& model, float offset) {
  const std::vector<Bone>& bones = model.bones;
  for (std::size_t i = 0; i < model.sourceVertices.size(); ++i) {
    const SourceVertex& v = model.sourceVertices[i];
    const Bone& first = bones[v.firstBone];
    const Bone& second = bones[v.secondBone];
    float w = static_cast<float>(v.firstBoneWeight) / 100.0f;
    Vec3 position = weightedSum(w, transformPoint(v.position, first.globalTransform), 1.0f - w,
                                transformPoint(v.position, second.globalTransform));
    // The rotations' translation rows are zero, so their full rows turn the normal as a direction.
    Vec3 normal = weightedSum(1.0f - w, transformPoint(v.normal, second.globalRotation), w,
                              transformPoint(v.normal, first.globalRotation));
    model.modelVertices[i].position = position;
    model.modelVertices[i].normal = normal;
    model.edgeVertices[i].position =
        v.noEdge ? position - normal * kTuckedInside : position + normal * offset;
  }
}

}  // namespace zv
