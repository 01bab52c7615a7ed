// Qt's mouse events as the shell's MouseEvent, at a position already mapped to client pixels.
#pragma once

#include <QPoint>

#include "port/window_host.h"

class QMouseEvent;
class QWheelEvent;

namespace zv::port {

MouseEvent mouseEventOf(MouseAction action, const QMouseEvent& event, QPoint client);
MouseEvent wheelEventOf(const QWheelEvent& event, QPoint client);

}  // namespace zv::port
