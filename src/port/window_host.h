// The window system as the application shell sees it: the screen, the one main window and its
// event pump. QtWindowHost is the real one; HeadlessWindowHost runs the shell in tests.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "port/ui.h"

namespace zv::port {

class Canvas;

enum class MouseButton { None, Left, Right, Middle };
enum class MouseAction { Press, Release, Move, Wheel };

// A mouse event over the main window, in client pixels (the origin of `clientRect`), wherever in
// the window it happened; while a button is held the window keeps reporting outside itself.
struct MouseEvent {
  MouseAction action = MouseAction::Move;
  MouseButton button = MouseButton::None;  // the button pressed or released
  int x = 0;
  int y = 0;
  bool shift = false;
  bool control = false;
  int wheelDelta = 0;  // 120 per notch, positive turned away from the user
};

// A key going down or up while the main window or its 3D view is active, with its code from
// port/key_codes.h; keys without a code and auto-repeats are not reported.
struct KeyEvent {
  int code = 0;
  bool down = false;
};

// What the main window reports to the shell.
struct WindowEvents {
  std::function<bool()> closeRequested;  // the user asked to close; true lets the window close
  std::function<void()> destroyed;       // the window is going away: save what must survive it
  std::function<void(int id, int notification)> command;  // a menu item or control was used
  std::function<void()> resized;  // the client area changed size: lay the view out again
  // A track bar or scroll bar moved: its id, what moved it and the position it reports.
  std::function<void(int id, ScrollCode code, int position)> scrolled;
  // The window's background needs painting: paint the panels onto `canvas` (the client area).
  std::function<void(Canvas& canvas)> paint;
  // A file from elsewhere was dropped on the window: its local path.
  std::function<void(const std::filesystem::path& file)> fileDropped;
  std::function<void(const MouseEvent& event)> mouse;  // over the client area or the 3D view
  std::function<void(const KeyEvent& event)> key;      // also while an edit holds the focus
};

// The 3D view: a GL 3.3 core surface inside the main window that the frame step makes current,
// draws into and presents into, then shows with swapBuffers.
class ViewSurface {
 public:
  virtual ~ViewSurface() = default;
  // Places the surface at `area` of the main window's client area (client coordinates).
  virtual void place(Rect area) = 0;
  // Makes the view's GL context current on this thread; false when it cannot be.
  virtual bool makeCurrent() = 0;
  // The framebuffer that shows in the view and its size in pixels, the target of presentation.
  virtual unsigned framebuffer() const = 0;
  virtual Size pixelSize() const = 0;
  // Shows what was presented since the last swap.
  virtual void swapBuffers() = 0;
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
  // The 3D view of the main window once it is created; null when the host has none.
  virtual ViewSurface* viewSurface() = 0;
};

}  // namespace zv::port
