// The frame editor in the real window under the test script's X server: a curve handle dragged
// with the mouse on the painted curve box, and a typed frame committed by moving the keyboard
// focus to another box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <memory>

#include "app/frame_step.h"
#include "app/window_program.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "real_window.h"
#include "ui/control_ids.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

class TimelineWindow : public test::RealWindow {
 protected:
  QLineEdit* edit(int id) { return qobject_cast<QLineEdit*>(ui().widget(id)); }
};

TEST_F(TimelineWindow, TheMouseDragsACurveHandleOfTheSelectedCameraKeys) {
  ASSERT_TRUE(scene_.cameraMode);
  scene_.cameraKeyPool.at(0).selected = true;
  drawTimeline(scene_, systems_->panels, ui());
  steps(1);
  QWidget* client = window_->centralWidget();
  const int height = ui().clientRect().height();
  ASSERT_EQ(height, client->height());
  const QPoint firstHandle(8 + 20, height - 8 - 20);
  ASSERT_EQ(client->childAt(firstHandle), nullptr) << "the curve box is painted, not a control";

  QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, firstHandle + QPoint(2, -1));
  QTest::mouseMove(client, QPoint(8 + 40, height - 8 - 70));
  QTest::mouseMove(client, QPoint(8 + 45, height - 8 - 75));
  QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(8 + 45, height - 8 - 75));
  steps(1);
  EXPECT_EQ(scene_.cameraKeyPool[0].curves.curve(kCameraRotation), (InterpolationCurve{45, 75, 107, 107}));

  QTest::mouseMove(client, QPoint(8 + 100, height - 8 - 100));
  steps(1);
  EXPECT_EQ(scene_.cameraKeyPool[0].curves.curve(kCameraRotation).x1, 45) << "released, the handle stays";
}

TEST_F(TimelineWindow, ThePointerShowsTheResizeArrowOverTheSplitter) {
  QWidget* client = window_->centralWidget();
  const int splitter = scene_.panelWidth + 3;
  ASSERT_EQ(client->childAt(QPoint(splitter, 300)), nullptr);
  QTest::mouseMove(client, QPoint(splitter, 300));
  steps(1);
  EXPECT_EQ(client->cursor().shape(), Qt::SizeHorCursor);
  QTest::mouseMove(client, QPoint(splitter - 40, 300));
  steps(1);
  EXPECT_EQ(client->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(TimelineWindow, ATypedFrameIsCommittedWhenTheFocusMovesToAnotherBox) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  QLineEdit* frameBox = edit(kCurrentFrameBox);
  QLineEdit* colourBox = edit(kLightColourBoxes[1]);
  ASSERT_TRUE(frameBox && colourBox && colourBox->isVisible());
  QTest::mouseClick(frameBox, Qt::LeftButton);
  ASSERT_EQ(QApplication::focusWidget(), frameBox);
  frameBox->selectAll();
  QTest::keyClicks(frameBox, "75");
  steps(1);
  EXPECT_EQ(scene_.currentFrame, 0u);

  QTest::mouseClick(colourBox, Qt::LeftButton);
  steps(1);
  EXPECT_EQ(QApplication::focusWidget(), colourBox);
  EXPECT_EQ(scene_.currentFrame, 75u);
  EXPECT_EQ(systems_->panels.timeline.firstVisibleFrame, 69u);

  colourBox->selectAll();
  QTest::keyClicks(colourBox, "64");
  window_->setFocus(Qt::MouseFocusReason);
  steps(1);
  EXPECT_FLOAT_EQ(scene_.light.lightColour.y, 0.25f);
}

}  // namespace
}  // namespace zv
