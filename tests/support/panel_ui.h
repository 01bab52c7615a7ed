// The window's controls without a display, as every panel test starts from them.
#pragma once

#include <memory>

#include "port/headless_ui.h"

namespace zv::test {

// A HeadlessUi whose client area is width x height.
std::unique_ptr<port::HeadlessUi> makePanelUi(int width = 1280, int height = 720);

}  // namespace zv::test
