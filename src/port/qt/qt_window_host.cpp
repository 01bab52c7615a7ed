#include "port/qt/qt_window_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMainWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QSurfaceFormat>
#include <QUrl>
#include <QWheelEvent>
#include <stdexcept>

#include "port/canvas/canvas.h"
#include "port/qt/qt_keys.h"
#include "port/qt/qt_mouse.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_view_surface.h"

namespace zv::port {
namespace {

// The client area below the menu bar: parent of the controls and of the 3D view, painted by the
// shell's panels on a canvas of its size.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(const WindowEvents& events) : events_(events) { setMouseTracking(true); }

 protected:
  // The area keeps the mouse while a button is held, so a drag that leaves the window still
  // reports its moves and its release.
  void mousePressEvent(QMouseEvent* event) override {
    grabMouse();
    report(mouseEventOf(MouseAction::Press, *event, event->position().toPoint()));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->buttons() == Qt::NoButton) {
      releaseMouse();
    }
    report(mouseEventOf(MouseAction::Release, *event, event->position().toPoint()));
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    report(mouseEventOf(MouseAction::Move, *event, event->position().toPoint()));
  }
  void wheelEvent(QWheelEvent* event) override { report(wheelEventOf(*event, event->position().toPoint())); }

  void paintEvent(QPaintEvent*) override {
    if (!events_.paint) {
      return;
    }
    Canvas canvas(width(), height());
    events_.paint(canvas);
    const QImage picture(canvas.pixels().data(), canvas.width(), canvas.height(),
                         static_cast<qsizetype>(canvas.bytesPerLine()),
                         QImage::Format_RGBA8888_Premultiplied);
    QPainter(this).drawImage(0, 0, picture);
  }

 private:
  void report(const MouseEvent& event) {
    if (events_.mouse) {
      events_.mouse(event);
    }
  }

  const WindowEvents& events_;
};

// The main window asks the shell before it closes and tells it once it is gone.
class MainWindow : public QMainWindow {
 public:
  WindowEvents events;
  bool destroyed = false;
  ClientArea* client = new ClientArea(events);

  MainWindow() {
    setCentralWidget(client);
    // Keys are polled through the main window, so it takes the focus back from edits.
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
  }

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

  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasUrls()) {
      event->acceptProposedAction();
    }
  }

  void dropEvent(QDropEvent* event) override {
    for (const QUrl& url : event->mimeData()->urls()) {
      if (url.isLocalFile() && events.fileDropped) {
        events.fileDropped(std::filesystem::path(url.toLocalFile().toUtf8().toStdString()));
      }
    }
    event->acceptProposedAction();
  }

  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    if (events.resized) {
      events.resized();
    }
  }
};

// A host made while another one's application lives (tests make several) shares it. Widgets need
// a widget application: one that painting made earlier for bitmaps alone cannot serve them.
std::unique_ptr<QApplication> applicationFor(int& argc, char** argv) {
  if (QCoreApplication::instance() && !qobject_cast<QApplication*>(QCoreApplication::instance())) {
    throw std::logic_error("a bitmap was painted before the window host existed: create the host first");
  }
  return QApplication::instance() ? nullptr : std::make_unique<QApplication>(argc, argv);
}

}  // namespace

struct QtWindowHost::State {
  State(int& argc, char** argv)
      : application(applicationFor(argc, argv)),
        ui(window, *window.client, window.events),
        keys(window, window.events) {
    QApplication::instance()->installEventFilter(&keys);
  }
  ~State() { QApplication::instance()->removeEventFilter(&keys); }
  std::unique_ptr<QApplication> application;
  MainWindow window;
  QtUi ui;
  KeyWatcher keys;
  // Declared after the window: it goes first, while the window still holds its container.
  std::unique_ptr<QtViewSurface> view;
  bool viewTried = false;
};

void useOpenGl33CoreByDefault() {
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  // The main loop paces the frames itself; a swap that waits for the display's refresh would hold
  // the highest frame-rate limit down to the refresh rate.
  format.setSwapInterval(0);
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
  // The window, not its first edit, holds the keyboard focus when it is activated.
  state_->window.setFocus(Qt::ActiveWindowFocusReason);
}

bool QtWindowHost::processEvents() {
  QApplication::processEvents(QEventLoop::AllEvents);
  return !state_->window.destroyed;
}

Ui& QtWindowHost::ui() {
  return state_->ui;
}

ViewSurface* QtWindowHost::viewSurface() {
  if (!state_->viewTried) {
    state_->viewTried = true;
    state_->view = QtViewSurface::create(*state_->window.client, state_->window.events);
    state_->keys.view = state_->view ? state_->view->window() : nullptr;
  }
  return state_->view.get();
}

}  // namespace zv::port
