// The real main window with its 3D view: start-up creates the device on the view's context, the
// view is laid out beside the control column, and frame steps present into it.
#include <GL/glcorearb.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "app/frame_step.h"
#include "app/frame_systems.h"
#include "app/startup.h"
#include "port/paths.h"
#include "port/qt/qt_window_host.h"

namespace zv {
namespace {

QWidget* viewContainer(QWidget& mainWindow) {
  for (QWidget* child : mainWindow.findChildren<QWidget*>()) {
    if (child->inherits("QWindowContainer")) {
      return child;
    }
  }
  return nullptr;
}

QWidget* shownMainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == "Zol_Vanta" && widget->isVisible()) {
      return widget;
    }
  }
  return nullptr;
}

TEST(ViewSurface, TheMainWindowDrawsAndPresentsFrameSteps) {
  const std::filesystem::path config = port::executableDirectory() / "Data" / "config.ini";
  std::filesystem::remove(config);
  int argc = 1;
  char name[] = "test_gui";
  char* argv[] = {name, nullptr};
  auto host = std::make_unique<port::QtWindowHost>(argc, argv);
  Scene scene;
  auto systems = std::make_unique<FrameSystems>();
  WindowContents contents;
  contents.create = [&] {
    return createFrameSystems(*systems, scene, host->ui(), host->screenSize(), host->viewSurface(),
                              scene.exeDirectory);
  };
  contents.layout = [&] { layoutView(scene, *systems); };
  ASSERT_EQ(startUp(scene, *host, "", contents), StartOutcome::Running);
  ASSERT_NE(systems->surface, nullptr);
  EXPECT_TRUE(systems->device.created);

  for (int turn = 0; turn < 20 && host->processEvents(); ++turn) {
    frameStep(scene, *systems);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  QWidget* window = shownMainWindow();
  ASSERT_NE(window, nullptr);
  QWidget* view = viewContainer(*window);
  ASSERT_NE(view, nullptr);
  const port::Rect expected = systems->viewRectangle;
  EXPECT_GT(expected.width(), 0);
  EXPECT_EQ(view->geometry(), QRect(expected.left, expected.top, expected.width(), expected.height()));
  EXPECT_GE(expected.left, scene.panelWidth);

  // The X server configures the window in its own time: handle events until the resize arrives.
  window->resize(window->width() - 100, window->height());
  for (int turn = 0; turn < 10000 && systems->viewRectangle == expected; ++turn) {
    host->processEvents();
  }
  EXPECT_NE(systems->viewRectangle, expected);
  frameStep(scene, *systems);

  window->close();
  EXPECT_FALSE(host->processEvents());
  releaseFrameSystems(*systems, scene);
  host.reset();
  std::filesystem::remove(config);
}

}  // namespace
}  // namespace zv
