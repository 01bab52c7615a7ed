// Every item of the main window's menu bar as one row of data: the menu that holds it, its caption
// with mnemonic, and its state at start (greyed and checked items as the window starts).
#pragma once

#include <span>

#include "port/control_spec.h"

namespace zv {

// The items in menu-bar order; an item's menu appears where its first item does.
std::span<const port::MenuItemSpec> menuRows();

}  // namespace zv
