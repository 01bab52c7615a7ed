#include "port/qt/qt_keys.h"

#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "port/key_codes.h"

namespace zv::port {
namespace {

std::optional<int> digitCode(int key, bool keypad) {
  if (key < Qt::Key_0 || key > Qt::Key_9) {
    return std::nullopt;
  }
  return (keypad ? kKeyPad0 : kKeyDigit0) + (key - Qt::Key_0);
}

std::optional<int> namedKeyCode(int key) {
  switch (key) {
    case Qt::Key_Backspace:
      return kKeyBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Shift:
      return kKeyShift;
    case Qt::Key_Control:
      return kKeyControl;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Space:
      return kKeySpace;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Delete:
      return kKeyDelete;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<int> keyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    return kKeyA + (key - Qt::Key_A);
  }
  if (const std::optional<int> digit = digitCode(key, event.modifiers().testFlag(Qt::KeypadModifier))) {
    return digit;
  }
  return namedKeyCode(key);
}

bool KeyWatcher::belongsToWindow(QObject* receiver) const {
  if (auto* widget = qobject_cast<QWidget*>(receiver)) {
    return widget->window() == &window_;
  }
  return receiver == view || receiver == window_.windowHandle();
}

void KeyWatcher::report(int code, bool down) {
  if (down) {
    down_.insert(code);
  } else {
    down_.erase(code);
  }
  if (events_.key) {
    events_.key({code, down});
  }
}

void KeyWatcher::releaseAll() {
  const std::set<int> held = down_;
  for (const int code : held) {
    report(code, false);
  }
}

bool KeyWatcher::eventFilter(QObject* receiver, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if ((press || event->type() == QEvent::KeyRelease) && belongsToWindow(receiver)) {
    const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
    if (!keyEvent.isAutoRepeat()) {
      if (const std::optional<int> code = keyCodeOf(keyEvent)) {
        report(*code, press);
      }
    }
  } else if (event->type() == QEvent::WindowDeactivate && receiver == &window_) {
    releaseAll();
  }
  return QObject::eventFilter(receiver, event);
}

}  // namespace zv::port
