// Data/config.ini: eight lines of "%d\n" holding the window's normal rectangle, its maximised
// flag, the output picture size and the panel width.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "port/ui.h"

namespace zv {

struct Configuration {
  port::Rect window;  // normal (restored) rectangle on the screen
  bool maximised = false;
  int outputWidth = 512;
  int outputHeight = 384;
  int panelWidth = 250;
};

// What a missing file gives: the whole screen width, 30 pixels less than its height, at 0,0.
Configuration defaultConfiguration(int screenWidth, int screenHeight);

// Reads the lines in order; the first line that is missing or not a number ends the reading and
// the remaining settings keep their defaults. The corrections then apply: a window width or
// height of 0 (or less) takes the screen's, an output size of 0 takes 512 x 384 and anything
// else below 1 becomes 1, and the panel width is kept within 250..1000.
Configuration parseConfiguration(std::string_view text, int screenWidth, int screenHeight);
std::string formatConfiguration(const Configuration& configuration);

Configuration readConfiguration(const std::filesystem::path& file, int screenWidth, int screenHeight);
// Writes through a temporary file renamed over the old one, so a failed write leaves the old file.
bool writeConfiguration(const std::filesystem::path& file, const Configuration& configuration);

}  // namespace zv
