// Easing curves chosen for a bone key from its neighbours: a key where the movement carries on
// gets a smooth pass-through, a key where it stops or turns an ease-out and ease-in.
#pragma once

#include <cstdint>

#include "scene/keys/key_pool.h"

namespace zv {

// Sets the curves of the bone key at `index` and, on the movement channels, the end point of
// the key before it and the start point of the key after it. Rotation and head keys get the
// straight line.
void applyAutomaticCurves(KeyPool<BoneKey>& pool, std::uint32_t index);

}  // namespace zv
