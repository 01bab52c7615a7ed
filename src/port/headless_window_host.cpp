#include "port/headless_window_host.h"

namespace zv::port {

bool HeadlessWindowHost::createMainWindow(const std::string& title, Rect geometry, WindowEvents events) {
  headlessUi.windowTitle = title;
  headlessUi.restored = geometry;
  headlessUi.client = {0, 0, geometry.width(), geometry.height()};
  headlessUi.command = events.command;
  headlessUi.scrolled = events.scrolled;
  headlessUi.closeWindow = [this] { close(); };
  events_ = std::move(events);
  created = true;
  return true;
}

void HeadlessWindowHost::showMainWindow(bool maximised) {
  shown = true;
  headlessUi.isMaximised = maximised;
}

bool HeadlessWindowHost::processEvents() {
  if (turnsBeforeClose == 0) {
    close();
  }
  if (turnsBeforeClose > 0) {
    --turnsBeforeClose;
  }
  return !destroyed_;
}

void HeadlessWindowHost::resize(int width, int height) {
  headlessUi.client = {0, 0, width, height};
  if (events_.resized) {
    events_.resized();
  }
}

void HeadlessWindowHost::dropFile(const std::filesystem::path& file) {
  if (events_.fileDropped) {
    events_.fileDropped(file);
  }
}

void HeadlessWindowHost::pressMouse(MouseButton button, int x, int y, bool shift, bool control) {
  sendMouse({MouseAction::Press, button, x, y, shift, control, 0});
}

void HeadlessWindowHost::releaseMouse(MouseButton button, int x, int y) {
  sendMouse({MouseAction::Release, button, x, y, false, false, 0});
}

void HeadlessWindowHost::moveMouse(int x, int y) {
  sendMouse({MouseAction::Move, MouseButton::None, x, y, false, false, 0});
}

void HeadlessWindowHost::turnWheel(int delta, int x, int y) {
  sendMouse({MouseAction::Wheel, MouseButton::None, x, y, false, false, delta});
}

void HeadlessWindowHost::pressKey(int code) {
  if (events_.key && !destroyed_) {
    events_.key({code, true});
  }
}

void HeadlessWindowHost::releaseKey(int code) {
  if (events_.key && !destroyed_) {
    events_.key({code, false});
  }
}

void HeadlessWindowHost::sendMouse(const MouseEvent& event) {
  if (events_.mouse && !destroyed_) {
    events_.mouse(event);
  }
}

void HeadlessWindowHost::close() {
  if (destroyed_ || (events_.closeRequested && !events_.closeRequested())) {
    return;
  }
  destroyed_ = true;
  if (events_.destroyed) {
    events_.destroyed();
  }
}

}  // namespace zv::port
