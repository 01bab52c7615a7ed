#include "port/qt/qt_window_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QScreen>
#include <QSurfaceFormat>

#include "port/qt/qt_ui.h"

namespace zv::port {
namespace {

// The main window asks the shell before it closes and tells it once it is gone.
class MainWindow : public QMainWindow {
 public:
  WindowEvents events;
  bool destroyed = false;

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (events.closeRequested && !events.closeRequested()) {
      event->ignore();
      return;
    }
    event->accept();
    destroyed = true;
    if (events.destroyed) {
      events.destroyed();
    }
  }
};

}  // namespace

struct QtWindowHost::State {
  State(int& argc, char** argv) : application(argc, argv), ui(&window) {}
  QApplication application;
  MainWindow window;
  QtUi ui;
};

void useOpenGl33CoreByDefault() {
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  QSurfaceFormat::setDefaultFormat(format);
}

QtWindowHost::QtWindowHost(int& argc, char** argv) {
  useOpenGl33CoreByDefault();
  state_ = std::make_unique<State>(argc, argv);
}

QtWindowHost::~QtWindowHost() = default;

Size QtWindowHost::screenSize() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? Size{screen->size().width(), screen->size().height()} : Size{1024, 768};
}

bool QtWindowHost::createMainWindow(const std::string& title, Rect geometry, WindowEvents events) {
  state_->window.events = std::move(events);
  state_->window.setWindowTitle(QString::fromStdString(title));
  state_->window.setGeometry(geometry.left, geometry.top, geometry.width(), geometry.height());
  return true;
}

void QtWindowHost::showMainWindow(bool maximised) {
  if (maximised) {
    state_->window.showMaximized();
  } else {
    state_->window.show();
  }
}

bool QtWindowHost::processEvents() {
  QApplication::processEvents(QEventLoop::AllEvents);
  return !state_->window.destroyed;
}

Ui& QtWindowHost::ui() {
  return state_->ui;
}

}  // namespace zv::port
