#include "app/timeline_mouse.h"

#include <algorithm>
#include <optional>

#include "app/curve_handle_drag.h"
#include "app/frame_navigation.h"
#include "app/window_panels.h"
#include "scene/keys/key_pool_selection.h"
#include "ui/model_panel.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

constexpr int kGroupBoxLeft = 5;
constexpr int kLabelLeft = 20;
constexpr int kSplitterWidth = 6;
constexpr int kScrollBarAllowance = 18;  // the row scroll bar's strip right of the grid
constexpr int kRowsBottomMargin = 219;   // the rows end this far above the client area's bottom

struct Cell {
  int column = 0;
  int row = 0;
};

void clearModeSelection(Scene& scene) {
  if (scene.cameraMode) {
    clearKeySelection(scene.cameraKeyPool);
    clearKeySelection(scene.lightKeyPool);
    for (KeyPool<AccessoryKey>& pool : scene.accessoryKeyPools) {
      clearKeySelection(pool);
    }
  } else if (Model* model = currentModel(scene)) {
    clearKeySelection(model->boneKeyPool);
    clearKeySelection(model->morphKeyPool);
    clearKeySelection(model->displayIkKeyPool);
  }
}

// The pool index a cell value stands for; `head` is the index of the head it may name.
std::optional<std::uint32_t> keyOfCell(std::int32_t value, std::uint32_t head) {
  if (value == kHeadKeyCell) {
    return head;
  }
  if (value > 0) {
    return static_cast<std::uint32_t>(value);
  }
  return std::nullopt;
}

template <typename Record>
void toggle(KeyPool<Record>& pool, std::int32_t value, std::uint32_t head = 0) {
  const std::optional<std::uint32_t> key = keyOfCell(value, head);
  if (key && *key < pool.capacity()) {
    pool.at(*key).selected = !pool[*key].selected;
  }
}

void toggleKeyInCell(Scene& scene, const Panels& panels, Cell cell) {
  const TimelineHits& hits = panels.timeline.hits;
  const int c = cell.column;
  const int r = cell.row;
  if (scene.cameraMode) {
    toggle(scene.cameraKeyPool, hits.camera.at(c, r));
    toggle(scene.lightKeyPool, hits.light.at(c, r));
    const int slot = r >= 2 ? panels.rows.accessorySlots[static_cast<std::size_t>(r - 2)] : -1;
    if (slot >= 0 && slot < kMaxAccessories) {
      toggle(scene.accessoryKeyPools[static_cast<std::size_t>(slot)], hits.accessory.at(c, r));
    }
  } else if (Model* model = currentModel(scene)) {
    toggle(model->boneKeyPool, hits.bone.at(c, r), static_cast<std::uint32_t>(hits.headBone.at(c, r)));
    toggle(model->morphKeyPool, hits.morph.at(c, r));
    toggle(model->displayIkKeyPool, hits.displayIk.at(c, r));
  }
}

bool overSplitter(int x, int panelWidth) {
  return x >= panelWidth && x <= panelWidth + kSplitterWidth;
}

const ShownRow* shownRow(const Panels& panels, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < panels.rows.shown.size() ? &panels.rows.shown[row]
                                                                              : nullptr;
}

void toggleGroup(Scene& scene, FrameSystems& systems, Model& model, int row) {
  const ShownRow* shown = shownRow(systems.panels, row);
  if (!shown || shown->group <= 0 || static_cast<std::size_t>(shown->group) >= model.groupNames.size()) {
    return;
  }
  model.groupNames[shown->group].open = !model.groupNames[shown->group].open;
  rebuildRows(scene, systems.panels);
  drawTimeline(scene, systems.panels, *systems.ui);
}

void selectBoneOfRow(Scene& scene, FrameSystems& systems, Model& model, int row, bool shift) {
  const ShownRow* shown = shownRow(systems.panels, row);
  if (!shown || shown->bone < 0 || static_cast<std::size_t>(shown->bone) >= model.boneSelected.size()) {
    return;
  }
  if (!shift) {
    std::fill(model.boneSelected.begin(), model.boneSelected.end(), 0);
  }
  model.boneSelected[shown->bone] = 1;
  model.selectedBone = shown->bone;
  fillModelPanel(*systems.ui, model);
  rebuildRows(scene, systems.panels);
  drawTimeline(scene, systems.panels, *systems.ui);
}

}  // namespace

bool timelineMouseDown(Scene& scene, FrameSystems& systems, TimelinePress press) {
  const int width = scene.panelWidth;
  const int height = systems.ui->clientRect().height();
  const int x = press.x;
  const int y = press.y;
  if (overSplitter(x, width)) {
    systems.panels.timeline.splitterHeld = true;
    return true;
  }
  if (pressCurveHandle(scene, systems, x, y)) {
    return true;
  }
  const bool inRows = y >= kRowsTop && y < height - kRowsBottomMargin;
  const bool inGridColumns = x >= kGridLeft && x < width - kScrollBarAllowance;
  const int row = (y - kRowsTop) / kRowPitch;
  const int column = (x - kGridLeft) / kColumnPitch;
  Model* model = scene.cameraMode ? nullptr : currentModel(scene);
  if (inRows && row >= kTimelineRows) {
    return false;  // beyond the tables: a window taller than the grid holds
  }
  if (inRows && model && x >= kGroupBoxLeft && x < kLabelLeft) {
    toggleGroup(scene, systems, *model, row);
    return true;
  }
  if (inRows && model && x >= kLabelLeft && x < kGridLeft) {
    selectBoneOfRow(scene, systems, *model, row, press.shift);
    return true;
  }
  if (!inGridColumns || column >= timelineColumns(width)) {
    return false;
  }
  if (inRows) {
    if (!press.shift) {
      clearModeSelection(scene);
    }
    toggleKeyInCell(scene, systems.panels, {column, row});
    drawTimeline(scene, systems.panels, *systems.ui);
    return true;
  }
  if (y >= kHeaderTop && y < kRowsTop) {
    goToFrame(scene, systems, static_cast<std::int64_t>(systems.panels.timeline.firstVisibleFrame) + column);
    return true;
  }
  return false;
}

void timelineMouseUp(FrameSystems& systems) {
  systems.panels.timeline.splitterHeld = false;
  releaseCurveHandle(systems);
}

void timelineMouseMove(Scene& scene, FrameSystems& systems, int x, int y) {
  const bool resizing = systems.panels.timeline.splitterHeld || overSplitter(x, scene.panelWidth);
  systems.ui->setCursorShape(resizing ? port::CursorShape::ResizeLeftRight : port::CursorShape::Arrow);
  dragSplitter(scene, systems, x);
  dragCurveHandle(scene, systems, x, y);
}

void dragSplitter(Scene& scene, FrameSystems& systems, int x) {
  if (!systems.panels.timeline.splitterHeld) {
    return;
  }
  scene.panelWidth = std::clamp(x, kMinPanelWidth, kMaxPanelWidth);
  layoutWindow(scene, systems);
  systems.ui->repaint();
}

}  // namespace zv
