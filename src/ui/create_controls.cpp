#include "ui/create_controls.h"

#include "ui/control_rows.h"
#include "ui/menu_rows.h"

namespace zv {

void createControls(port::Ui& ui) {
  for (const port::ControlSpec& row : controlRows()) {
    ui.createControl(row);
  }
  for (const port::MenuItemSpec& row : menuRows()) {
    ui.createMenuItem(row);
  }
}

}  // namespace zv
