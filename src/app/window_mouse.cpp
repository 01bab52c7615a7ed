#include "app/window_mouse.h"

#include "app/timeline_mouse.h"

namespace zv {
namespace {

int buttonCode(port::MouseButton button) {
  switch (button) {
    case port::MouseButton::Left:
      return port::kMouseLeft;
    case port::MouseButton::Right:
      return port::kMouseRight;
    case port::MouseButton::Middle:
      return port::kMouseMiddle;
    case port::MouseButton::None:
      break;
  }
  return 0;
}

}  // namespace

void handleMouse(Scene& scene, FrameSystems& systems, const port::MouseEvent& event) {
  using port::MouseAction;
  using port::MouseButton;
  switch (event.action) {
    case MouseAction::Move:
      scene.mouseX = event.x;
      scene.mouseY = event.y;
      timelineMouseMove(scene, systems, event.x, event.y);
      break;
    case MouseAction::Press:
      scene.mouseX = event.x;
      scene.mouseY = event.y;
      recordKey(systems.keyboard, {buttonCode(event.button), true});
      if (event.button == MouseButton::Left) {
        timelineMouseDown(scene, systems, {event.x, event.y, event.shift});
      }
      break;
    case MouseAction::Release:
      scene.mouseX = event.x;
      scene.mouseY = event.y;
      recordKey(systems.keyboard, {buttonCode(event.button), false});
      if (event.button == MouseButton::Left) {
        timelineMouseUp(systems);
      }
      break;
    case MouseAction::Wheel:
      scene.camera.cameraDistance += static_cast<float>(event.wheelDelta) * kWheelDistancePerUnit;
      break;
  }
}

void handleKey(FrameSystems& systems, const port::KeyEvent& event) {
  recordKey(systems.keyboard, event);
}

}  // namespace zv
