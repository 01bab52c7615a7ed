// Accessory descriptors (.vac): a seven-line text file naming an X file and giving the prop's
// starting scale, position, rotation and shadow setting. Lines end with CR LF or LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "scene/document/math.h"

namespace zv {

struct VacDescriptor {
  std::string xFileName;  // CP932, line 2: relative to the descriptor's folder
  float scale = 1.0f;     // line 3; the drawing multiplies it by 10
  Vec3 position;          // line 4, "x,y,z"
  Vec3 rotation;          // line 5, radians about X, Y, Z
  bool shadow = false;    // line 7 holds 0 (any other number: no shadow)
  bool operator==(const VacDescriptor&) const = default;
};

struct VacParseResult {
  std::optional<VacDescriptor> descriptor;
  std::string failure;  // why the text was refused; empty on success
};

// Line 1 (a title) and line 6 are not used. Numbers are read like scanf's "%f" and "%d": leading
// blanks skipped, text after the number ignored.
VacParseResult parseVacDescriptor(std::string_view text);

// The seven lines with CR LF, numbers as "%f"; `title` goes on line 1.
std::string formatVacDescriptor(const VacDescriptor& descriptor, std::string_view title);

}  // namespace zv
