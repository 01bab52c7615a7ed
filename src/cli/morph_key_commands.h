// `zolvanta-cli lipsync` and `zolvanta-cli blink`: mouth and blink keys made in batch on a model.
#pragma once

#include <span>
#include <string_view>

namespace zv::cli {

int runLipSync(std::span<const std::string_view> arguments);
int runBlink(std::span<const std::string_view> arguments);

}  // namespace zv::cli
