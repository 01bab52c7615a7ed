// The keyboard and mouse in the real window: Qt's key events on the main window and mouse events
// on the embedded 3D view reach the frame step's poll, turn the selected bone and register it.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <memory>

#include "app/frame_step.h"
#include "app/model_commands.h"
#include "app/view_geometry.h"
#include "app/window_program.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "real_window.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class ViewInputWindow : public test::RealWindow {
 protected:
  // Frame steps a sixtieth of a second apart, as the key repeat counts them.
  void steps(int count) {
    for (int i = 0; i < count; ++i) {
      host_.processEvents();
      scene_.frameElapsedSeconds = 1.0f / 60;
      frameStep(scene_, *systems_);
    }
    host_.processEvents();
  }
  QWindow* viewWindow() {
    for (QWindow* candidate : QGuiApplication::allWindows()) {
      if (candidate->parent() && candidate->surfaceType() == QSurface::OpenGLSurface) {
        return candidate;
      }
    }
    return nullptr;
  }
  // A client pixel as a point in the view's own window.
  QPoint inView(int x, int y) const {
    return {x - systems_->viewRectangle.left, y - systems_->viewRectangle.top};
  }
};

TEST_F(ViewInputWindow, KeysAndAStripDragInTheViewPoseAndRegisterTheBone) {
  QWindow* view = viewWindow();
  if (!view) {
    GTEST_SKIP() << "no OpenGL 3.3 core view on this display";
  }
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  steps(2);
  QTest::keyClick(window_, Qt::Key_X);
  steps(1);
  EXPECT_EQ(scene_.editMode, EditMode::Rotate);
  EXPECT_TRUE(ui().control(kRotateButton).checked);

  const ViewGeometry g = viewGeometry(*systems_);
  // The middle of the rotate strip's second button, which scales with the view.
  const QPoint start =
      inView(g.view.right - static_cast<int>(86 * g.xRatio) + static_cast<int>(17 * g.xRatio),
             g.view.bottom - static_cast<int>(80 * g.yRatio) + static_cast<int>(15 * g.yRatio));
  QTest::mouseMove(view, start);
  steps(1);
  EXPECT_EQ(scene_.mouseX, start.x() + g.view.left);
  EXPECT_EQ(scene_.mouseY, start.y() + g.view.top);
  EXPECT_EQ(scene_.hoverZone, HoverZone::BoneRotateY);
  QTest::mousePress(view, Qt::LeftButton, {}, start);
  steps(1);
  QTest::mouseMove(view, start - QPoint(0, 30));
  steps(1);
  QTest::mouseRelease(view, Qt::LeftButton, {}, start - QPoint(0, 30));
  steps(1);
  Model& model = *currentModel(scene_);
  const Quat turned = model.bones[0].keyRotation;
  EXPECT_NEAR(turned.y, std::sin(0.15f), 1e-4f) << "30 pixels up turn the bone about its Y";
  EXPECT_EQ(model.boneMoved[0], 1);

  QTest::keyClick(window_, Qt::Key_Return);
  steps(1);
  EXPECT_EQ(model.boneMoved[0], 0) << "Enter registered the pose";
  EXPECT_EQ(model.boneKeyPool[0].rotation, turned);
  EXPECT_TRUE(scene_.modified);
}

TEST_F(ViewInputWindow, LettersTypedIntoTheFrameBoxStayInIt) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  steps(1);
  const EditMode before = scene_.editMode;
  QWidget* frameBox = ui().widget(kCurrentFrameBox);
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  frameBox->setFocus(Qt::OtherFocusReason);
  ASSERT_EQ(ui().keyboardFocus(), kCurrentFrameBox);
  QTest::keyClick(frameBox, Qt::Key_X);
  QTest::keyClick(frameBox, Qt::Key_Right);
  steps(1);
  EXPECT_EQ(scene_.editMode, before);
  EXPECT_EQ(scene_.currentFrame, 0u);
  ui().focusMainWindow();
  QTest::keyClick(window_, Qt::Key_X);
  steps(1);
  EXPECT_EQ(scene_.editMode, EditMode::Rotate) << "the same key acts once the window has the focus";
}

TEST_F(ViewInputWindow, KeypadDigitsAreTheirOwnKeysAndDeactivationLetsHeldKeysGo) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  steps(1);
  scene_.camera.cameraDistance = -60;
  QTest::keyClick(window_, Qt::Key_2);
  steps(1);
  EXPECT_EQ(scene_.camera.cameraDistance, -60.0f) << "the main row's 2";
  QTest::keyClick(window_, Qt::Key_2, Qt::KeypadModifier);
  steps(1);
  EXPECT_EQ(scene_.camera.cameraDistance, -35.0f);
  EXPECT_EQ(scene_.viewOffsetY, 10.0f);

  QTest::keyPress(window_, Qt::Key_Control);
  steps(2);
  EXPECT_EQ(scene_.keyStates[port::kKeyControl], KeyState::Held);
  QEvent deactivate(QEvent::WindowDeactivate);
  QCoreApplication::sendEvent(window_, &deactivate);
  steps(1);
  EXPECT_EQ(scene_.keyStates[port::kKeyControl], KeyState::Released);
}

}  // namespace
}  // namespace zv
