// `zolvanta-cli sample`: a model's pose at a frame or time, as the window would pose it.
#pragma once

#include <span>
#include <string_view>

namespace zv::cli {

int runSample(std::span<const std::string_view> arguments);

}  // namespace zv::cli
