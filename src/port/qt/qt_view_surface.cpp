#include "port/qt/qt_view_surface.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include "port/qt/qt_mouse.h"

namespace zv::port {
namespace {

// The view's own window: the mouse over it is reported as if it were over the client area,
// which the embedded window would otherwise keep to itself.
class ViewWindow : public QWindow {
 public:
  ViewWindow(QWidget& client, const WindowEvents& events) : client_(client), events_(events) {}
  QWidget* container = nullptr;

 protected:
  // The view keeps the mouse while a button is held, so a drag that leaves it still reports.
  void mousePressEvent(QMouseEvent* event) override {
    setMouseGrabEnabled(true);
    report(mouseEventOf(MouseAction::Press, *event, toClient(event->position())));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->buttons() == Qt::NoButton) {
      setMouseGrabEnabled(false);
    }
    report(mouseEventOf(MouseAction::Release, *event, toClient(event->position())));
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    report(mouseEventOf(MouseAction::Move, *event, toClient(event->position())));
  }
  void wheelEvent(QWheelEvent* event) override { report(wheelEventOf(*event, toClient(event->position()))); }

 private:
  QPoint toClient(QPointF position) const {
    const QPoint local = position.toPoint();
    return container ? container->mapTo(&client_, local) : local;
  }
  void report(const MouseEvent& event) {
    if (events_.mouse) {
      events_.mouse(event);
    }
  }

  QWidget& client_;
  const WindowEvents& events_;
};

}  // namespace

struct QtViewSurface::State {
  ViewWindow* window = nullptr;  // owned by the container
  QWidget* container = nullptr;  // owned by the client area
  QOpenGLContext context;
};

std::unique_ptr<QtViewSurface> QtViewSurface::create(QWidget& client, const WindowEvents& events) {
  auto state = std::make_unique<State>();
  state->window = new ViewWindow(client, events);
  state->window->setSurfaceType(QSurface::OpenGLSurface);
  state->window->setFormat(QSurfaceFormat::defaultFormat());
  state->window->create();
  state->context.setFormat(QSurfaceFormat::defaultFormat());
  const bool core33 =
      state->context.create() &&
      state->context.format().majorVersion() * 10 + state->context.format().minorVersion() >= 33 &&
      state->context.format().profile() == QSurfaceFormat::CoreProfile;
  state->container = QWidget::createWindowContainer(state->window, &client);
  state->window->container = state->container;
  if (!core33) {
    delete state->container;
    return nullptr;
  }
  // The view only shows what the frame step presents; the container must not take key focus
  // from the main window, whose keys the program polls.
  state->container->setFocusPolicy(Qt::NoFocus);
  state->container->setGeometry(0, 0, 1, 1);
  state->container->show();
  return std::unique_ptr<QtViewSurface>(new QtViewSurface(std::move(state)));
}

QtViewSurface::QtViewSurface(std::unique_ptr<State> state) : state_(std::move(state)) {}

QtViewSurface::~QtViewSurface() {
  state_->context.doneCurrent();
  delete state_->container;
}

void QtViewSurface::place(Rect area) {
  state_->container->setGeometry(area.left, area.top, std::max(area.width(), 1), std::max(area.height(), 1));
}

bool QtViewSurface::makeCurrent() {
  return state_->context.makeCurrent(state_->window);
}

unsigned QtViewSurface::framebuffer() const {
  return state_->context.defaultFramebufferObject();
}

Size QtViewSurface::pixelSize() const {
  const qreal ratio = state_->window->devicePixelRatio();
  return {static_cast<int>(state_->window->width() * ratio),
          static_cast<int>(state_->window->height() * ratio)};
}

QWindow* QtViewSurface::window() const {
  return state_->window;
}

void QtViewSurface::swapBuffers() {
  // Swapping a window that is hidden or covered has no defined result: there is nothing to show.
  if (state_->window->isExposed()) {
    state_->context.swapBuffers(state_->window);
  }
}

}  // namespace zv::port
