// What the panels keep beside the Scene for the life of the window: the off-screen bitmaps, the
// frame editor's row table, the clipboards' fill state, and the two window operations the panel
// code asks the application for.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/clipboard_state.h"
#include "ui/panel_bitmaps.h"
#include "ui/playback_lock.h"
#include "ui/row_names.h"
#include "ui/timeline_state.h"

namespace zv {

struct Panels {
  PanelBitmaps bitmaps;
  RowTable rows;
  TimelineState timeline;
  ClipboardState clipboards;
  PlaybackLock playbackLock;  // what playback disabled, to give back when it stops
  bool curvesShared = false;  // the selected keys share the previewed curve
  // The committing edit box holding the keyboard focus, 0 for none, and its text when it took the
  // focus or was last committed: leaving it with other text commits that.
  int focusedBox = 0;
  std::string focusedBoxText;
  // Places the controls, then the 3D view; installed by the application.
  std::function<void()> relayout;
  // The props in accessory-list order; installed by the application, none without it.
  std::function<std::vector<ListedAccessory>()> listedAccessories;
};

// Rebuilds the row table and the name column for the scene's mode, and the key grid beside them.
void rebuildRows(Scene& scene, Panels& panels);

}  // namespace zv
