#include "render/bone_markers.h"

#include <array>
#include <cmath>

#include "render/back_buffer_painting.h"

namespace zv {
namespace {

constexpr float kNearSideOffset = 8.0f;  // the two sides differ so a bone's direction shows
constexpr float kFarSideOffset = 9.0f;
constexpr float kMarkerHalf = 7.0f;

constexpr port::Colour kSelectedCurrentColour{255, 0, 0};
constexpr port::Colour kSelectedColour{200, 0, 0};
constexpr port::Colour kChangedColour{100, 255, 100};
constexpr port::Colour kIkChainColour{0, 255, 155};
constexpr port::Colour kPlainColour{100, 100, 230};
constexpr port::Colour kIkLinkColour{0, 0, 255};
constexpr port::Colour kCurrentBoneColour{255, 51, 50};

bool isCommonType(std::uint8_t type) {
  return type == 0 || type == kBoneTypeLinked || type == kBoneTypeFirstUnkeyed;
}

bool flagSet(const std::vector<std::uint8_t>& flags, std::size_t bone) {
  return bone < flags.size() && flags[bone] != 0;
}

bool hasTail(const Model& model, const Bone& bone) {
  return bone.tail >= 1 && bone.tail < model.bones.size();
}

std::vector<bool> enabledChainBones(const Model& model) {
  std::vector<bool> inChain(model.bones.size(), false);
  for (const IkChain& chain : model.ikChains) {
    if (!chain.enabled) {
      continue;
    }
    for (const std::uint16_t bone : chain.chainBones) {
      if (bone < inChain.size()) {
        inChain[bone] = true;
      }
    }
  }
  return inChain;
}

port::Point screenOf(const Bone& bone) {
  return {static_cast<int>(bone.screenX), static_cast<int>(bone.screenY)};
}

// A thin arrow from the head, offset to either side, to the tail. A bone whose ends fall on the
// same pixel has no direction and draws nothing.
void drawBoneLine(DisplayDevice& device, const Model& model, const Bone& bone, port::Colour colour) {
  const port::Point head = screenOf(bone);
  const port::Point tail = screenOf(model.bones[bone.tail]);
  const auto dx = static_cast<float>(tail.x - head.x);
  const auto dy = static_cast<float>(tail.y - head.y);
  const float boneLength = std::sqrt(dx * dx + dy * dy);
  if (boneLength == 0) {
    return;
  }
  const float nearSide = kNearSideOffset * device.overlayScale / boneLength;
  const float farSide = kFarSideOffset * device.overlayScale / boneLength;
  const std::array<port::Point, 3> points{
      port::Point{head.x + static_cast<int>(-dy * nearSide), head.y + static_cast<int>(dx * nearSide)}, tail,
      port::Point{head.x + static_cast<int>(dy * farSide), head.y + static_cast<int>(-dx * farSide)}};
  drawPolyline(device, points, colour, port::PenStyle::Solid);
}

port::Colour boneLineColour(const Model& model, std::size_t bone, const std::vector<bool>& inChain) {
  if (flagSet(model.boneSelected, bone)) {
    return static_cast<std::int32_t>(bone) == model.selectedBone ? kSelectedCurrentColour : kSelectedColour;
  }
  if (flagSet(model.boneMoved, bone)) {
    return kChangedColour;
  }
  return inChain[bone] ? kIkChainColour : kPlainColour;
}

void drawBoneLines(DisplayDevice& device, const Model& model) {
  const std::vector<bool> inChain = enabledChainBones(model);
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    if (hasTail(model, model.bones[i])) {
      drawBoneLine(device, model, model.bones[i], boneLineColour(model, i, inChain));
    }
  }
  for (const IkChain& chain : model.ikChains) {
    if (chain.enabled && chain.ikBone < model.bones.size() && chain.effector < model.bones.size()) {
      const std::array<port::Point, 2> link{screenOf(model.bones[chain.ikBone]),
                                            screenOf(model.bones[chain.effector])};
      drawPolyline(device, link, kIkLinkColour, port::PenStyle::Dotted);
    }
  }
}

void drawMarker(DisplayDevice& device, const DrawingResources& resources, const Bone& bone, int left) {
  const float offset = kMarkerHalf * device.overlayScale;
  blitSprite(device, static_cast<int>(bone.screenX - offset), static_cast<int>(bone.screenY - offset),
             resources.boneSprite, port::Rect{left, 0, left + kBoneMarkerSize, kBoneMarkerSize});
}

void drawMarkers(DisplayDevice& device, const DrawingResources& resources, const Model& model,
                 EditMode editMode) {
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    const Bone& bone = model.bones[i];
    std::optional<int> left;
    if (editMode < EditMode::None) {
      left = boneMarkerLeft(bone.type, flagSet(model.boneSelected, i), flagSet(model.boneMoved, i));
    } else if (editMode > EditMode::None && flagSet(model.boneSelected, i) &&
               static_cast<std::int32_t>(i) != model.selectedBone) {
      left = busyBoneMarkerLeft(bone.type);
    }
    if (left) {
      drawMarker(device, resources, bone, *left);
    }
  }
}

// Clip-space w of the bone head, with its screen position stored when in front of the eye.
float projectBone(Bone& bone, const Mat4& world, const Mat4& viewProjection, int width, int height) {
  const Vec3 placed = transformPoint(transformPoint(bone.head, bone.globalTransform), world);
  const auto& m = viewProjection.m;
  const float x = placed.x * m[0][0] + placed.y * m[1][0] + placed.z * m[2][0] + m[3][0];
  const float y = placed.x * m[0][1] + placed.y * m[1][1] + placed.z * m[2][1] + m[3][1];
  const float w = placed.x * m[0][3] + placed.y * m[1][3] + placed.z * m[2][3] + m[3][3];
  if (w > 0) {
    const auto halfWidth = static_cast<float>(width / 2);
    const auto halfHeight = static_cast<float>(height / 2);
    bone.screenX = std::trunc(halfWidth + 0.5f * (x / w) * static_cast<float>(width));
    bone.screenY = std::trunc(halfHeight - 0.5f * (y / w) * static_cast<float>(height));
  }
  return w;
}

}  // namespace

std::optional<int> boneMarkerLeft(std::uint8_t type, bool selected, bool changed) {
  const int column = selected ? 0 : changed ? 1 : 2;
  if (isCommonType(type)) {
    return std::array{208, 48, 16}[column];
  }
  switch (type) {
    case kBoneTypeRotateMove:
      return std::array{224, 96, 64}[column];
    case kBoneTypeMove:
      return std::array{256, 192, 160}[column];
    case kBoneTypeIkReset:
      return std::array{240, 144, 112}[column];
    default:
      return std::nullopt;
  }
}

std::optional<int> busyBoneMarkerLeft(std::uint8_t type) {
  if (type == kBoneTypeRotateMove) {
    return 224;
  }
  if (type == kBoneTypeMove) {
    return 256;
  }
  return std::nullopt;
}

std::optional<int> selectedBoneMarkerLeft(std::uint8_t type) {
  if (isCommonType(type)) {
    return 32;
  }
  switch (type) {
    case kBoneTypeRotateMove:
      return 80;
    case kBoneTypeMove:
    case 3:
      return 176;
    case kBoneTypeIkReset:
      return 128;
    default:
      return std::nullopt;
  }
}

std::optional<BoneProjection> projectAndDrawBones(DisplayDevice& device, const DrawingResources& resources,
                                                  Model& model, const Mat4& world, const Mat4& viewProjection,
                                                  EditMode editMode) {
  const bool anySelected =
      model.selectedBone >= 0 && static_cast<std::size_t>(model.selectedBone) < model.bones.size();
  BoneProjection selected;
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    const float w = projectBone(model.bones[i], world, viewProjection, device.width, device.height);
    if (anySelected && static_cast<std::int32_t>(i) == model.selectedBone) {
      selected = {static_cast<int>(model.bones[i].screenX), static_cast<int>(model.bones[i].screenY), w};
    }
  }
  if (editMode < EditMode::None) {
    drawBoneLines(device, model);
  }
  const Bone* current = anySelected ? &model.bones[static_cast<std::size_t>(model.selectedBone)] : nullptr;
  if (current && editMode != EditMode::None && hasTail(model, *current)) {
    drawBoneLine(device, model, *current, kCurrentBoneColour);
  }
  drawMarkers(device, resources, model, editMode);
  if (!current) {
    return std::nullopt;
  }
  if (editMode != EditMode::None) {
    if (const std::optional<int> left = selectedBoneMarkerLeft(current->type)) {
      drawMarker(device, resources, *current, *left);
    }
  }
  return selected;
}

}  // namespace zv
