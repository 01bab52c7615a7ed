// Every child control of the main window as one row of data: id, class, panel, caption, state at
// start, font and radio group. The window and the headless front ends create their controls from
// these rows and from nothing else.
#pragma once

#include <span>

#include "port/control_spec.h"

namespace zv {

// The rows in the order the controls are created.
std::span<const port::ControlSpec> controlRows();

}  // namespace zv
