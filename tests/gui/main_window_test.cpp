// The real window under the test script's X server: start-up, the titled main window with its
// controls and menus, closing it.
#include <GL/glcorearb.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

#include "app/startup.h"
#include "port/paths.h"
#include "port/qt/qt_window_host.h"
#include "temp_folder.h"

namespace zv {
namespace {

QWidget* findMainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == "Zol_Vanta") {
      return widget;
    }
  }
  return nullptr;
}

class MainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    host_ = new port::QtWindowHost(argc, argv);
  }
  static port::QtWindowHost* host_;
};
port::QtWindowHost* MainWindow::host_ = nullptr;

TEST_F(MainWindow, OpensTitledAndWritesTheConfigurationWhenClosed) {
  std::filesystem::path config = port::executableDirectory() / "Data" / "config.ini";
  std::filesystem::remove(config);
  Scene scene;
  ASSERT_TRUE(initialise(scene, *host_, ""));
  EXPECT_TRUE(host_->processEvents());
  QWidget* window = findMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
  EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(),
                          [](QPushButton* button) { return button->text() == "元に戻す"; }));
  const QList<QAction*> items = window->findChildren<QAction*>();
  EXPECT_TRUE(
      std::any_of(items.begin(), items.end(), [](QAction* item) { return item->text() == "新規(&N)"; }));
  window->close();
  EXPECT_FALSE(host_->processEvents());
  std::string written = test::readFile(config);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 8);
  std::filesystem::remove(config);
}

TEST_F(MainWindow, WindowSystemGivesAnOpenGl33CoreContext) {
  QOpenGLContext context;
  ASSERT_TRUE(context.create());
  EXPECT_GE(context.format().majorVersion() * 10 + context.format().minorVersion(), 33);
  EXPECT_EQ(context.format().profile(), QSurfaceFormat::CoreProfile);
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  ASSERT_TRUE(context.makeCurrent(&surface));
  QOpenGLFramebufferObject framebuffer(4, 4);
  ASSERT_TRUE(framebuffer.bind());
  glViewport(0, 0, 4, 4);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(framebuffer.toImage().pixel(2, 2), qRgb(0, 255, 0));
  context.doneCurrent();
}

}  // namespace
}  // namespace zv
