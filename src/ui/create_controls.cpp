#include "ui/create_controls.h"

#include "ui/control_ids.h"
#include "ui/control_rows.h"
#include "ui/menu_rows.h"

namespace zv {

void createControls(port::Ui& ui) {
  for (const port::ControlSpec& row : controlRows()) {
    ui.createControl(row);
  }
  // A morph's weight 0..1 shown x 100.
  for (const int slider : kMorphSliders) {
    ui.setControlRange(slider, 0, 100);
  }
  // The view angle in whole degrees; a light colour 0..1 shown x 256; a direction -1..1 x 100.
  ui.setControlRange(kViewAngleBar, 1, 150);
  for (int axis = 0; axis < 3; ++axis) {
    ui.setControlRange(kLightColourBars[axis], 0, 256);
    ui.setControlRange(kLightDirectionBars[axis], -100, 100);
  }
  for (const port::MenuItemSpec& row : menuRows()) {
    ui.createMenuItem(row);
  }
}

}  // namespace zv
