// The range selection on one frame-editor row: the keys of the track the row names, between two
// frames, become selected.
#pragma once

#include <cstdint>
#include <string_view>

#include "scene/document/model.h"

namespace zv {

// Selects the keys of one track of `model` whose frames lie in first..last. The track is the
// morph of that timeline name, the display and IK track for "表示･IK", bone 0 for "センター" and
// "ﾎﾞｰﾝ01", or else the listed bone of that name. `rowName` is UTF-8, as list 336 shows it.
// False, selecting nothing, when no track has that name.
bool selectKeysInRange(Model& model, std::uint32_t first, std::uint32_t last, std::string_view rowName);

}  // namespace zv
