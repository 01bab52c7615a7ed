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

#include "app/frame_systems.h"
#include "app/startup.h"
#include "app/window_program.h"
#include "kept_configuration.h"
#include "port/paths.h"
#include "port/qt/qt_window_host.h"
#include "temp_folder.h"
#include "ui/control_ids.h"

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

// Started as `zolvanta UserFile/demo.tsf` is: the window made with its panels and device, then the
// project named on the command line opened into it. A host of its own: closing a window ends the
// event loop of the host that showed it.
TEST(DemoProjectWindow, OpensTheDemoProjectNamedOnTheCommandLine) {
  static int argc = 1;
  static char name[] = "test_gui";
  static char* argv[] = {name, nullptr};
  const test::KeptConfiguration keptConfiguration;
  auto host = std::make_unique<port::QtWindowHost>(argc, argv);
  Scene scene;
  auto systems = std::make_unique<FrameSystems>();
  const WindowContents contents = windowContents(scene, *systems, *host);
  ASSERT_EQ(startUp(scene, *host, "UserFile/demo.tsf", contents), StartOutcome::Running);
  EXPECT_TRUE(host->processEvents());
  QWidget* shown = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->windowTitle() == "Zol_Vanta [UserFile/demo.tsf]") {
      shown = widget;
    }
  }
  ASSERT_NE(shown, nullptr);
  const port::Ui& ui = host->ui();
  EXPECT_EQ(ui.control(kModelList).rows, (std::vector<std::string>{"ｶﾒﾗ･照明･ｱｸｾｻﾘ", "テセラ"}));
  EXPECT_EQ(ui.control(kAccessoryList).rows, std::vector<std::string>{"lamp.x"});
  EXPECT_EQ(ui.control(kStopFrameBox).text, "90");
  ASSERT_NE(scene.modelSlots[0], nullptr);
  EXPECT_NE(systems->accessories[0], nullptr);
  EXPECT_FALSE(scene.modified);
  shown->close();
  host->processEvents();
  releaseFrameSystems(*systems, scene);
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
