// Creates every child control and menu item of the main window from the two tables, each in its
// state at start (the menu items greyed and checked as the window starts). Every front end runs it
// once, right after its main window exists.
#pragma once

#include "port/ui.h"

namespace zv {

void createControls(port::Ui& ui);

}  // namespace zv
