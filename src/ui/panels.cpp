#include "ui/panels.h"

#include "ui/timeline_drawing.h"

namespace zv {

void rebuildRows(Scene& scene, Panels& panels) {
  const std::vector<ListedAccessory> accessories =
      panels.listedAccessories ? panels.listedAccessories() : std::vector<ListedAccessory>{};
  panels.rows = buildRowNames(scene, accessories, panels.bitmaps);
  drawTimelineGrid(scene, panels);
}

}  // namespace zv
