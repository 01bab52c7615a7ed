// Process start and stop: the program folder, the configuration, the main window, the main loop.
#pragma once

#include <functional>
#include <string_view>

#include "app/configuration.h"
#include "port/clock.h"
#include "port/window_host.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kWindowTitle = "Zol_Vanta";

// What creating the main window does besides the window itself, and what a resize redoes.
struct WindowContents {
  std::function<bool()> create;  // the device, sound and the rest; false ends the process with code 1
  std::function<void()> layout;  // places the controls and the 3D view in the client area
  std::function<void(port::Canvas&)> paint;               // paints the window's background: the panels
  std::function<void(int id, int notification)> command;  // a menu item or control was used
  std::function<void(int id, port::ScrollCode code, int position)> scrolled;  // a scroll bar moved
  std::function<void(const std::filesystem::path& file)> fileDropped;  // a file was dropped on the window
  std::function<void(const port::MouseEvent&)> mouse;                  // the mouse over the window
  std::function<void(const port::KeyEvent&)> key;                      // a key went down or up
  std::function<void()> openProject;  // loads scene.projectPath; run when the command line named one
};

enum class StartOutcome {
  Running,         // the window is shown: run the main loop
  WindowFailed,    // the main window could not be made: exit code 0
  ContentsFailed,  // what the window needs could not be made: exit code 1
};

// The start-up sequence: project path from the command line, the executable's folder made
// current, Data/config.ini read, the main window created with its contents, controls and menus,
// laid out and shown. Every command and scroll of the window goes to the command handler.
StartOutcome startUp(Scene& scene, port::WindowHost& host, std::string_view commandLine,
                     const WindowContents& contents);
// The sequence for a window with nothing inside; false ends the process.
bool initialise(Scene& scene, port::WindowHost& host, std::string_view commandLine);
// The process exit code when start-up ends the process.
int exitCode(StartOutcome outcome);

// Paced loop: every turn handles the pending events, then sleeps the rest of the frame period and
// runs one frame step. Returns the exit code once the main window is gone.
int runMainLoop(Scene& scene, port::WindowHost& host, port::Clock& clock,
                const std::function<void(Scene&)>& step);

// Writes the window's normal rectangle, maximised flag, output size and panel width to
// Data/config.ini in the executable's folder; nothing is written when the file cannot be made.
void saveConfiguration(Scene& scene, const port::Ui& ui);

}  // namespace zv
