// A main window without a display, for tests of the shell: close() plays the user's close.
#pragma once

#include "port/headless_ui.h"
#include "port/window_host.h"

namespace zv::port {

class HeadlessWindowHost : public WindowHost {
 public:
  HeadlessUi headlessUi;
  Size screen{1920, 1080};
  bool created = false;
  bool shown = false;
  // Idle turns processEvents reports before the window closes by itself; negative: never.
  int turnsBeforeClose = -1;
  // The 3D view tests present into; none by default, and the frame step then only draws.
  ViewSurface* surface = nullptr;

  Size screenSize() const override { return screen; }
  bool createMainWindow(const std::string& title, Rect geometry, WindowEvents events) override;
  void showMainWindow(bool maximised) override;
  bool processEvents() override;
  Ui& ui() override { return headlessUi; }
  ViewSurface* viewSurface() override { return surface; }

  // As if the user clicked the close box: asks the shell, and destroys the window if it agrees.
  void close();
  // As if the user dropped `file` on the window.
  void dropFile(const std::filesystem::path& file);
  // As if the user resized the window: the client area becomes width x height.
  void resize(int width, int height);
  // As if the user used the mouse at client pixel (x, y).
  void pressMouse(MouseButton button, int x, int y, bool shift = false, bool control = false);
  void releaseMouse(MouseButton button, int x, int y);
  void moveMouse(int x, int y);
  void turnWheel(int delta, int x, int y);
  // As if the user pressed or let go the key with code `code` (port/key_codes.h).
  void pressKey(int code);
  void releaseKey(int code);

 private:
  void sendMouse(const MouseEvent& event);

  WindowEvents events_;
  bool destroyed_ = false;
};

}  // namespace zv::port
