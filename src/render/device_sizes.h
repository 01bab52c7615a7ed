// The back-buffer sizes the device steps down through when the screen's size cannot be had.
#pragma once

#include <optional>

#include "port/rect.h"

namespace zv {

// The next smaller size to try after `current`, or nothing when no row of the table applies.
std::optional<port::Size> nextDeviceSize(port::Size current);

}  // namespace zv
