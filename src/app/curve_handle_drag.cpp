#include "app/curve_handle_drag.h"

#include <algorithm>
#include <cstdlib>

#include "scene/undo/undo.h"
#include "ui/control_ids.h"
#include "ui/curve_box.h"

namespace zv {
namespace {

constexpr int kBoxLast = 127;
constexpr int kBoxBottomMargin = 8;  // the box's last row lies this far above the client bottom

bool near(port::Point handle, int x, int y) {
  return std::abs(handle.x - x) <= kHandleReach && std::abs(handle.y - y) <= kHandleReach;
}

// Sets the held control point of `channel` on every selected key; true when any key is selected.
template <typename Record>
bool moveHandle(KeyPool<Record>& pool, int channel, int channelCount, int handle, std::uint8_t x,
                std::uint8_t y) {
  if (channel < 0 || channel >= channelCount) {
    return false;
  }
  bool moved = false;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    Record& key = pool.at(index);
    if (!key.selected) {
      continue;
    }
    InterpolationCurve curve = key.curves.curve(channel);
    (handle == 1 ? curve.x1 : curve.x2) = x;
    (handle == 1 ? curve.y1 : curve.y2) = y;
    key.curves.setCurve(channel, curve);
    moved = true;
  }
  return moved;
}

}  // namespace

bool pressCurveHandle(Scene& scene, FrameSystems& systems, int x, int y) {
  CurveBoxState& box = systems.panels.timeline.curveBox;
  if (!box.handles) {
    return false;
  }
  const int height = systems.ui->clientRect().height();
  const int held = near(curveBoxToWindow(box.handles->first, height), x, y)    ? 1
                   : near(curveBoxToWindow(box.handles->second, height), x, y) ? 2
                                                                               : 0;
  if (held == 0) {
    return false;
  }
  if (Model* model = scene.cameraMode ? nullptr : currentModel(scene)) {
    recordSelectedKeys(scene, *model, scene.currentFrame);
    systems.ui->enableControl(kUndoButton, model->undoHistory.undoAvailable);
    systems.ui->enableControl(kRedoButton, model->undoHistory.redoAvailable);
  }
  box.draggedHandle = held;
  return true;
}

void dragCurveHandle(Scene& scene, FrameSystems& systems, int x, int y) {
  const int handle = systems.panels.timeline.curveBox.draggedHandle;
  if (handle == 0) {
    return;
  }
  port::Ui& ui = *systems.ui;
  const int height = ui.clientRect().height();
  const auto boxX = static_cast<std::uint8_t>(std::clamp(x - kCurveBoxLeft, 0, kBoxLast));
  const auto boxY = static_cast<std::uint8_t>(std::clamp(height - y - kBoxBottomMargin, 0, kBoxLast));
  const int channel = chosenCurveChannel(ui);
  bool moved = false;
  if (scene.cameraMode) {
    moved = moveHandle(scene.cameraKeyPool, channel, kCameraChannelCount, handle, boxX, boxY);
  } else if (Model* model = currentModel(scene)) {
    moved = moveHandle(model->boneKeyPool, channel, kBoneChannelCount, handle, boxX, boxY);
  }
  if (moved) {
    scene.modified = true;
    refreshCurveBox(scene, systems.panels, ui);
    ui.repaint();
  }
}

void releaseCurveHandle(FrameSystems& systems) {
  systems.panels.timeline.curveBox.draggedHandle = 0;
}

}  // namespace zv
