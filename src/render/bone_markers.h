// Projecting the current model's bones to the back buffer, and the bone lines and markers drawn
// over the 3D view while editing.
#pragma once

#include <optional>

#include "render/display_device.h"
#include "render/drawing_resources.h"
#include "scene/document/model.h"
#include "scene/document/view_modes.h"

namespace zv {

inline constexpr int kBoneMarkerSize = 16;  // each marker of the bone sprite strip

// Where the selected bone stood: back-buffer pixels and its clip w (depth for the gizmo scale).
// When w <= 0 the bone was behind the eye and x, y are its last position in front.
struct BoneProjection {
  int screenX = 0;
  int screenY = 0;
  float clipW = 0;
};

// Left edge in the sprite strip of a bone's marker in the select and box-select modes, by type and
// state; none for types without a marker.
std::optional<int> boneMarkerLeft(std::uint8_t type, bool selected, bool changed);
// The same while rotating, moving or dragging a gizmo: only for selected, not current, bones.
std::optional<int> busyBoneMarkerLeft(std::uint8_t type);
// The current bone's own marker.
std::optional<int> selectedBoneMarkerLeft(std::uint8_t type);

// Projects every bone head (posed, then `world`, then `viewProjection`) into the bones' screen
// positions, keeping the old ones for bones behind the eye, and draws the lines and markers that
// `editMode` calls for. Returns the selected bone's projection, or none when no bone is selected.
std::optional<BoneProjection> projectAndDrawBones(DisplayDevice& device, const DrawingResources& resources,
                                                  Model& model, const Mat4& world, const Mat4& viewProjection,
                                                  EditMode editMode);

}  // namespace zv
