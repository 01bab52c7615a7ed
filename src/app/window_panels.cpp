#include "app/window_panels.h"

#include <algorithm>

#include "ui/control_ids.h"
#include "ui/panel_layout.h"
#include "ui/panel_painting.h"
#include "ui/panel_visibility.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

std::vector<ListedAccessory> listedAccessories(const FrameSystems& systems) {
  std::vector<std::pair<int, ListedAccessory>> rows;
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    if (const Accessory* prop = systems.accessories[static_cast<std::size_t>(slot)].get()) {
      rows.push_back({prop->listIndex, {slot, prop->name}});
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<ListedAccessory> listed;
  for (auto& row : rows) {
    listed.push_back(std::move(row.second));
  }
  return listed;
}

}  // namespace

void createPanels(Scene& scene, FrameSystems& systems) {
  createPanelBitmaps(systems.panels.bitmaps);
  if (!loadKeyMarks(systems.panels.bitmaps, scene.exeDirectory)) {
    // The grid still works without its marks, but the user must know why no key shows.
    const std::filesystem::path file = scene.exeDirectory / kKeyMarksFile;
    systems.ui->messageBox(port::MessageOwner::None, file.string() + " を読み込めません", "Zol_Vanta",
                           port::MessageButtons::Ok);
  }
  systems.panels.relayout = [&scene, &systems] { layoutWindow(scene, systems); };
  systems.panels.listedAccessories = [&systems] { return listedAccessories(systems); };
}

void layoutWindow(Scene& scene, FrameSystems& systems) {
  scene.panelWidth = clampPanelWidth(scene.panelWidth);
  placeControls(*systems.ui, scene);
  layoutView(scene, systems);
  drawTimeline(scene, systems.panels, *systems.ui);
}

void paintWindow(port::Canvas& canvas, Scene& scene, FrameSystems& systems) {
  paintPanels(canvas, scene, systems.panels, *systems.ui);
}

bool collapseOrExpandPanel(Scene& scene, FrameSystems& systems, int buttonId) {
  PanelOpen& open = scene.panelOpen;
  struct Buttons {
    int collapse, expand;
    bool& flag;
  };
  const Buttons sections[] = {{kCameraCollapseButton, kCameraExpandButton, open.camera},
                              {kLightCollapseButton, kLightExpandButton, open.light},
                              {kAccessoryCollapseButton, kAccessoryExpandButton, open.accessory},
                              {kBoneCollapseButton, kBoneExpandButton, open.bone},
                              {kFaceCollapseButton, kFaceExpandButton, open.face}};
  for (const Buttons& section : sections) {
    if (buttonId == section.collapse || buttonId == section.expand) {
      section.flag = buttonId == section.expand;
      updatePanelVisibility(scene, *systems.ui, systems.panels.clipboards);
      layoutWindow(scene, systems);
      systems.ui->repaint();
      return true;
    }
  }
  return false;
}

void scrollFrameEditorRows(Scene& scene, FrameSystems& systems, port::ScrollCode code, int thumb) {
  port::Ui& ui = *systems.ui;
  Model* model = scene.cameraMode ? nullptr : currentModel(scene);
  std::int32_t& scroll = model ? model->rowScroll : scene.cameraRowScroll;
  const int page = rowScrollPage(ui.clientRect().height());
  scroll = scrolledRow(scroll, code, thumb, ui.control(kRowScrollBar), page, systems.panels.rows.rowCount);
  rebuildRows(scene, systems.panels);
  ui.repaint();
}

}  // namespace zv
