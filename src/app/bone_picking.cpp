#include "app/bone_picking.h"

#include <optional>
#include <vector>

namespace zv {
namespace {

constexpr float kPickRadiusSquared = 64;  // an 8-pixel circle around the marker's centre

bool pickable(const Bone& bone) {
  return bone.type < kBoneTypeFirstUnkeyed;
}

std::vector<int> bonesUnder(const Model& model, int x, int y) {
  std::vector<int> hits;
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    const Bone& bone = model.bones[i];
    const float dx = bone.screenX - static_cast<float>(x);
    const float dy = bone.screenY - static_cast<float>(y);
    if (pickable(bone) && dx * dx + dy * dy < kPickRadiusSquared) {
      hits.push_back(static_cast<int>(i));
    }
  }
  return hits;
}

void selectOnly(Model& model, int bone) {
  std::fill(model.boneSelected.begin(), model.boneSelected.end(), 0);
  model.boneSelected[static_cast<std::size_t>(bone)] = 1;
  model.selectedBone = bone;
}

void toggle(Model& model, int bone) {
  std::uint8_t& flag = model.boneSelected[static_cast<std::size_t>(bone)];
  flag = flag ? 0 : 1;
  if (flag) {
    model.selectedBone = bone;
  } else if (model.selectedBone == bone) {
    model.selectedBone = -1;
  }
}

}  // namespace

void pickBones(Model& model, int x, int y, bool shift) {
  const std::vector<int> hits = bonesUnder(model, x, y);
  if (hits.empty()) {
    return;
  }
  if (shift) {
    for (const int bone : hits) {
      toggle(model, bone);
    }
    return;
  }
  for (const int bone : hits) {
    if (bone > model.selectedBone) {
      selectOnly(model, bone);
      return;
    }
  }
  selectOnly(model, hits.front());
}

void selectBonesInBox(Model& model, port::Rect box, bool keepOthers) {
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    const Bone& bone = model.bones[i];
    if (!pickable(bone)) {
      continue;
    }
    const bool inBox =
        bone.screenX > static_cast<float>(box.left) && bone.screenX < static_cast<float>(box.right) &&
        bone.screenY > static_cast<float>(box.top) && bone.screenY < static_cast<float>(box.bottom);
    if (inBox) {
      model.boneSelected[i] = 1;
    } else if (!keepOthers) {
      model.boneSelected[i] = 0;
    }
  }
}

void settleBoxSelection(Model& model, bool shift) {
  const bool selectedStillSelected =
      model.selectedBone >= 0 && static_cast<std::size_t>(model.selectedBone) < model.boneSelected.size() &&
      model.boneSelected[static_cast<std::size_t>(model.selectedBone)] != 0;
  if (!selectedStillSelected) {
    if (!shift) {
      model.selectedBone = -1;
    }
    if (!model.boneSelected.empty() && model.boneSelected[0]) {
      model.selectedBone = 0;
    }
  }
  std::optional<int> only;
  int count = 0;
  for (std::size_t i = 0; i < model.boneSelected.size(); ++i) {
    if (model.boneSelected[i]) {
      ++count;
      only = static_cast<int>(i);
    }
  }
  if (count == 1) {
    model.selectedBone = *only;
  }
}

}  // namespace zv
