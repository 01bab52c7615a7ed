// The mouse in the real window: a click on the painted frame editor and a wheel turn over the
// embedded 3D view reach the shell at client pixels and do what the shell does with them.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <memory>
#include <vector>

#include "app/frame_step.h"
#include "app/timeline_mouse.h"
#include "app/window_program.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "ui/control_ids.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

class WindowMouseEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove("Data/config.ini");
    WindowContents contents = windowContents(scene_, *systems_, host_);
    contents.mouse = [this, shell = contents.mouse](const port::MouseEvent& event) {
      received_.push_back(event);
      shell(event);
    };
    ASSERT_EQ(startUp(scene_, host_, "", contents), StartOutcome::Running);
    window_ = qobject_cast<QMainWindow*>(ui().widget(kUndoButton)->window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->resize(1280, 800);
    steps(3);
  }
  void TearDown() override {
    releaseFrameSystems(*systems_, scene_);
    std::filesystem::remove("Data/config.ini");
  }

  port::QtUi& ui() { return static_cast<port::QtUi&>(host_.ui()); }
  void steps(int count) {
    for (int i = 0; i < count; ++i) {
      host_.processEvents();
      frameStep(scene_, *systems_);
    }
    host_.processEvents();
  }
  // The GL window embedded in this main window: the 3D view.
  QWindow* viewWindow() {
    for (QWindow* candidate : QGuiApplication::allWindows()) {
      QWindow* top = candidate;
      while (top->parent()) {
        top = top->parent();
      }
      if (candidate != top && top == window_->windowHandle() &&
          candidate->surfaceType() == QSurface::OpenGLSurface) {
        return candidate;
      }
    }
    return nullptr;
  }

  int argc_ = 1;
  char name_[9] = "test_gui";
  char* argv_[2] = {name_, nullptr};
  port::QtWindowHost host_{argc_, argv_};
  Scene scene_;
  std::unique_ptr<FrameSystems> systems_ = std::make_unique<FrameSystems>();
  QMainWindow* window_ = nullptr;
  std::vector<port::MouseEvent> received_;
};

TEST_F(WindowMouseEvents, AClickOnTheFrameEditorSelectsTheKeyUnderIt) {
  const std::uint32_t key = *scene_.cameraKeyPool.lowestFree();
  scene_.cameraKeyPool.linkAfter(0, 0, key, 4);
  drawTimeline(scene_, systems_->panels, ui());
  const QPoint cell(kGridLeft + kColumnPitch * 4 + 2, kRowsTop + 3);
  QWidget* client = window_->centralWidget();
  ASSERT_EQ(client->childAt(cell), nullptr) << "the grid is painted, not a control";
  QTest::mouseClick(client, Qt::LeftButton, Qt::ShiftModifier, cell);
  steps(1);
  ASSERT_GE(received_.size(), 2u);
  const port::MouseEvent& press = received_[received_.size() - 2];
  EXPECT_EQ(press.action, port::MouseAction::Press);
  EXPECT_EQ(press.button, port::MouseButton::Left);
  EXPECT_EQ(press.x, cell.x());
  EXPECT_EQ(press.y, cell.y());
  EXPECT_TRUE(press.shift);
  EXPECT_FALSE(press.control);
  EXPECT_EQ(received_.back().action, port::MouseAction::Release);
  EXPECT_TRUE(scene_.cameraKeyPool[key].selected);
}

TEST_F(WindowMouseEvents, AWheelNotchOverTheViewZoomsAtClientPixels) {
  QWindow* view = viewWindow();
  if (!view) {
    GTEST_SKIP() << "no OpenGL 3.3 core view on this display";
  }
  const port::Rect area = systems_->viewRectangle;
  ASSERT_GT(area.left, 0);
  const QPointF local(10, 20);
  QWheelEvent wheel(local, view->mapToGlobal(local), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(view, &wheel);
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0].action, port::MouseAction::Wheel);
  EXPECT_EQ(received_[0].wheelDelta, 120);
  EXPECT_EQ(received_[0].x, area.left + 10);
  EXPECT_EQ(received_[0].y, area.top + 20);
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -29.0f);
}

}  // namespace
}  // namespace zv
