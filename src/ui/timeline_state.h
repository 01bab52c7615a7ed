// What the frame editor's key grid keeps between draws: the frame of its first column and, per
// visible column and row, the pool index of the key drawn there, for the mouse to find.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "ui/curve_drawing.h"

namespace zv {

inline constexpr int kMaxTimelineColumns = 70;
inline constexpr int kTimelineRows = 52;
// A track's head key sits at pool index 0 for most pools, and 0 marks an empty cell, so a cell
// holding a head stores this instead.
inline constexpr std::int32_t kHeadKeyCell = -10;

// One value per visible column and row; 0 (or -1) where nothing is drawn.
struct HitTable {
  std::array<std::array<std::int32_t, kTimelineRows>, kMaxTimelineColumns> cells{};

  std::int32_t at(int column, int row) const { return cells[column][row]; }
  std::int32_t& at(int column, int row) { return cells[column][row]; }
};

struct TimelineHits {
  // Model mode.
  HitTable bone;
  HitTable morph;
  HitTable displayIk;
  // The bone whose head key a kHeadKeyCell of the bone table stands for.
  HitTable headBone;
  // Camera mode; accessory rows find their slot through the row table.
  HitTable camera;
  HitTable light;
  HitTable accessory;
  // A selected key drawn on a closed group's row, which unselected keys of the group keep clear of.
  HitTable selectedClosed;
};

// The curve box's handles as last drawn, in box pixels, and the one the mouse holds.
struct CurveBoxState {
  std::optional<CurveHandles> handles;  // none while no selected key shows a curve
  int draggedHandle = 0;                // 0 none, 1 the first control point, 2 the second
};

struct TimelineState {
  std::uint32_t firstVisibleFrame = 0;
  TimelineHits hits;
  bool splitterHeld = false;  // the splitter between the column and the 3D view is being dragged
  CurveBoxState curveBox;
};

}  // namespace zv
