// Process start and stop: the program folder, the configuration, the main window, the main loop.
#pragma once

#include <functional>
#include <string_view>

#include "app/configuration.h"
#include "port/clock.h"
#include "port/window_host.h"
#include "scene/scene.h"

namespace zv {

inline constexpr std::string_view kWindowTitle = "Zol_Vanta";

// The start-up sequence: project path from the command line, the executable's folder made
// current, Data/config.ini read, the main window created and shown. False ends the process.
bool initialise(Scene& scene, port::WindowHost& host, std::string_view commandLine);

// Paced loop: every turn handles the pending events, then sleeps the rest of the frame period and
// runs one frame step. Returns the exit code once the main window is gone.
int runMainLoop(Scene& scene, port::WindowHost& host, port::Clock& clock,
                const std::function<void(Scene&)>& step);

// Writes the window's normal rectangle, maximised flag, output size and panel width to
// Data/config.ini in the executable's folder; nothing is written when the file cannot be made.
void saveConfiguration(Scene& scene, const port::Ui& ui);

}  // namespace zv
