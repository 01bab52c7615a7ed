// A HeadlessUi holding every control and menu item of the main window, created from the program's
// tables as the window creates them: the Ui of tests that run commands and panels.
#pragma once

#include "port/headless_ui.h"
#include "ui/create_controls.h"

namespace zv::test {

class UiWithControls : public port::HeadlessUi {
 public:
  UiWithControls() { createControls(*this); }
};

}  // namespace zv::test
