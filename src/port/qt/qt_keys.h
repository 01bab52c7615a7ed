// Qt's key events as the shell's key codes, and the watcher that reports the keys of the main
// window and its 3D view whichever of their widgets has the focus.
#pragma once

#include <QObject>
#include <optional>
#include <set>

#include "port/window_host.h"

class QKeyEvent;
class QWidget;
class QWindow;

namespace zv::port {

// The code of a key the view polls; nothing for other keys. Keypad digits get the keypad codes.
std::optional<int> keyCodeOf(const QKeyEvent& event);

// Sees every key event of the application and reports those sent to `window` (or any widget in
// it) and to `view`, the 3D view's own window once it exists. Auto-repeats are dropped. When the
// window loses activation (a dialog opens, the user switches away) the keys still down are
// reported up: their releases will go elsewhere, and a key must not stay down for ever.
class KeyWatcher : public QObject {
 public:
  KeyWatcher(QWidget& window, const WindowEvents& events) : window_(window), events_(events) {}
  QWindow* view = nullptr;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  bool belongsToWindow(QObject* receiver) const;
  void report(int code, bool down);
  void releaseAll();
  QWidget& window_;
  std::set<int> down_;
  const WindowEvents& events_;
};

}  // namespace zv::port
