// Range selection on the frame editor: the keys between two frames become selected, on whole
// families of tracks or on the one track a row shows, and every other key of each pool touched is
// deselected, so the range replaces the selection there.
#pragma once

#include <cstdint>
#include <string_view>

#include "scene/document/scene.h"

namespace zv {

// Frames first..last, both included, as the user typed them: either may be negative, and a range
// whose first frame lies after its last holds no frame.
struct FrameRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
  bool holds(std::uint32_t frame) const {
    return first <= std::int64_t{frame} && std::int64_t{frame} <= last;
  }
};

// Every key in use (a track's head key, or a placed record) with its frame in the range.
void selectBoneKeysInRange(Model& model, FrameRange range);
void selectMorphKeysInRange(Model& model, FrameRange range);
void selectDisplayIkKeysInRange(Model& model, FrameRange range);
void selectCameraKeysInRange(Scene& scene, FrameRange range);
void selectLightKeysInRange(Scene& scene, FrameRange range);

// The keys in the range of the track a frame-editor row shows: the morph of that timeline name,
// the display and IK track for "表示･IK", bone 0 for "センター" and "ﾎﾞｰﾝ01", or else the listed bone
// of that name; the rest of that track's pool is deselected. `rowName` is UTF-8, as list 336 shows
// it. False, changing nothing, when no track has that name.
bool selectKeysInRange(Model& model, FrameRange range, std::string_view rowName);

}  // namespace zv
