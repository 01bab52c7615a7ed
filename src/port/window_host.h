// The window system as the application shell sees it: the screen, the one main window and its
// event pump. QtWindowHost is the real one; HeadlessWindowHost runs the shell in tests.
#pragma once

#include <functional>
#include <string>

#include "port/ui.h"

namespace zv::port {

struct Size {
  int width = 0;
  int height = 0;
};

// What the main window reports to the shell.
struct WindowEvents {
  std::function<bool()> closeRequested;  // the user asked to close; true lets the window close
  std::function<void()> destroyed;       // the window is going away: save what must survive it
  std::function<void(int id, int notification)> command;  // a menu item or control was used
};

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // The primary screen's size in pixels.
  virtual Size screenSize() const = 0;
  // Creates the main window (hidden) with its title and normal rectangle; false when it cannot.
  virtual bool createMainWindow(const std::string& title, Rect geometry, WindowEvents events) = 0;
  // Shows the window normally, or maximised (its normal rectangle is kept for later).
  virtual void showMainWindow(bool maximised) = 0;
  // Handles every pending event; false once the main window has been destroyed.
  virtual bool processEvents() = 0;
  virtual Ui& ui() = 0;
};

}  // namespace zv::port
