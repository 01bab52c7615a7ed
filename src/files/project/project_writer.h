// The bytes of a project file: fixed-width little-endian fields in one fixed order, with every
// key record at the pool index it carries.
#pragma once

#include <string>

#include "files/project/project_records.h"

namespace zv {

// Texts longer than their field are cut to it; callers that must not lose a path check its
// length first (see projectTextFits).
std::string projectBytes(const ProjectFile& project);

// Whether `text` fits a field of `width` bytes (a text that fills the field has no terminator).
inline bool projectTextFits(std::string_view text, std::size_t width) {
  return text.size() <= width;
}

}  // namespace zv
