// Finding the bone or morph a named key belongs to, as motion files, clipboards and pose files
// name them. Names are CP932 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "scene/document/model.h"

namespace zv {

// The first bone (morph) whose name equals `name`.
std::optional<std::uint32_t> findBoneByName(const Model& model, std::string_view name);
std::optional<std::uint32_t> findMorphByName(const Model& model, std::string_view name);

// The bone on the other side for a mirrored paste: for a name with "左" (left), the first bone
// whose text after its first "右" (right) equals the text after the first "左" of `name`; else for
// a name with "右", the same with the sides exchanged. Without such a partner, the bone named
// `name` itself. The search steps over double-byte characters, so a trail byte never matches.
std::optional<std::uint32_t> findMirroredBone(const Model& model, std::string_view name);

}  // namespace zv
