// `zolvanta-cli info FILE`: what the program reads from a file, chosen by its extension.
#pragma once

#include <span>
#include <string_view>

namespace zv::cli {

int runInfo(std::span<const std::string_view> arguments);

}  // namespace zv::cli
