#include "app/window_mouse.h"

#include "app/timeline_mouse.h"

namespace zv {

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
      if (event.button == MouseButton::Left) {
        timelineMouseDown(scene, systems, {event.x, event.y, event.shift});
      }
      break;
    case MouseAction::Release:
      if (event.button == MouseButton::Left) {
        timelineMouseUp(systems);
      }
      break;
    case MouseAction::Wheel:
      scene.camera.cameraDistance += static_cast<float>(event.wheelDelta) * kWheelDistancePerUnit;
      break;
  }
}

}  // namespace zv
