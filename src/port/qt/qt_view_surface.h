// The 3D view of the Qt main window: a QWindow with its own OpenGL context, embedded in the main
// window through a window container. The frame step decides when to make it current and when to
// swap, which a paint-driven GL widget would not allow.
#pragma once

#include <memory>

#include "port/window_host.h"

class QWidget;
class QWindow;

namespace zv::port {

class QtViewSurface : public ViewSurface {
 public:
  // Creates the surface and its context as a child of `client`, the main window's client area,
  // whose origin is the origin of the rectangles `place` takes; null when OpenGL 3.3 core
  // is not available. The mouse over the view goes to `events` in the client's pixels.
  static std::unique_ptr<QtViewSurface> create(QWidget& client, const WindowEvents& events);
  ~QtViewSurface() override;

  void place(Rect area) override;
  bool makeCurrent() override;
  unsigned framebuffer() const override;
  Size pixelSize() const override;
  void swapBuffers() override;
  // The view's own window, which receives the keys and mouse while it is active.
  QWindow* window() const;

 private:
  struct State;
  explicit QtViewSurface(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace zv::port
