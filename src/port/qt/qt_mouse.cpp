#include "port/qt/qt_mouse.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace zv::port {
namespace {

MouseButton buttonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return MouseButton::None;
  }
}

}  // namespace

MouseEvent mouseEventOf(MouseAction action, const QMouseEvent& event, QPoint client) {
  MouseEvent result;
  result.action = action;
  result.button = action == MouseAction::Move ? MouseButton::None : buttonOf(event.button());
  result.x = client.x();
  result.y = client.y();
  result.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  result.control = event.modifiers().testFlag(Qt::ControlModifier);
  return result;
}

MouseEvent wheelEventOf(const QWheelEvent& event, QPoint client) {
  MouseEvent result;
  result.action = MouseAction::Wheel;
  result.x = client.x();
  result.y = client.y();
  result.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  result.control = event.modifiers().testFlag(Qt::ControlModifier);
  result.wheelDelta = event.angleDelta().y();
  return result;
}

}  // namespace zv::port
