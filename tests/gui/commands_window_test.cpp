// The real window's menus and panel buttons under the test script's X server reach the program's
// own command handler and change the scene.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

#include "app/window_program.h"
#include "kept_configuration.h"
#include "port/paths.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

TEST(CommandsWindow, AMenuItemAndAPanelButtonDoTheirJobInTheRealWindow) {
  static int argc = 1;
  static char name[] = "test_gui";
  static char* argv[] = {name, nullptr};
  const test::KeptConfiguration keptConfiguration;
  auto host = std::make_unique<port::QtWindowHost>(argc, argv);
  Scene scene;
  auto systems = std::make_unique<FrameSystems>();
  ASSERT_EQ(startUp(scene, *host, "", windowContents(scene, *systems, *host)), StartOutcome::Running);
  EXPECT_TRUE(host->processEvents());
  auto& ui = static_cast<port::QtUi&>(host->ui());

  ui.action(kMenuShowAxes)->trigger();
  EXPECT_FALSE(scene.showAxes);
  EXPECT_FALSE(ui.action(kMenuShowAxes)->isChecked());

  scene.camera.cameraDistance = -80.0f;
  auto* reset = qobject_cast<QPushButton*>(ui.widget(kCameraResetButton));
  ASSERT_NE(reset, nullptr);
  ASSERT_TRUE(reset->isVisible());
  QTest::mouseClick(reset, Qt::LeftButton);
  EXPECT_EQ(scene.camera.cameraDistance, -35.0f);

  reset->window()->close();
  host->processEvents();
  releaseFrameSystems(*systems, scene);
}

}  // namespace
}  // namespace zv
