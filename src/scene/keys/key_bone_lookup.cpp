#include "scene/keys/key_bone_lookup.h"

#include <string>

#include "port/text.h"

namespace zv {

namespace {

const std::string& leftMark() {
  static const std::string mark = port::utf8ToCp932("左");
  return mark;
}

const std::string& rightMark() {
  static const std::string mark = port::utf8ToCp932("右");
  return mark;
}

// The text after the first `mark` of `name`, or nothing when `name` has none.
std::optional<std::string_view> textAfter(std::string_view name, std::string_view mark) {
  const std::size_t at = port::findCp932(name, mark);
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  return name.substr(at + mark.size());
}

}  // namespace

std::optional<std::uint32_t> findBoneByName(const Model& model, std::string_view name) {
  for (std::uint32_t bone = 0; bone < model.bones.size(); ++bone) {
    if (model.bones[bone].name == name) {
      return bone;
    }
  }
  return std::nullopt;
}

std::optional<std::uint32_t> findMorphByName(const Model& model, std::string_view name) {
  for (std::uint32_t morph = 0; morph < model.morphs.size(); ++morph) {
    if (model.morphs[morph].name == name) {
      return morph;
    }
  }
  return std::nullopt;
}

std::optional<std::uint32_t> findMirroredBone(const Model& model, std::string_view name) {
  std::string_view partnerMark = rightMark();
  std::optional<std::string_view> rest = textAfter(name, leftMark());
  if (!rest) {
    partnerMark = leftMark();
    rest = textAfter(name, rightMark());
  }
  if (rest) {
    for (std::uint32_t bone = 0; bone < model.bones.size(); ++bone) {
      if (textAfter(model.bones[bone].name, partnerMark) == rest) {
        return bone;
      }
    }
  }
  return findBoneByName(model, name);
}

}  // namespace zv
