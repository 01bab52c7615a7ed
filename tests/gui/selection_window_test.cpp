// The range selection and curve buttons of the real window under the test script's X server:
// frames typed into the real range boxes, a click on "範囲選択", then on "線形補間".
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_step.h"
#include "app/window_program.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "real_window.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

class SelectionWindow : public test::RealWindow {
 protected:
  void typeInto(int id, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(ui().widget(id));
    ASSERT_NE(edit, nullptr) << id;
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, text);
    steps(1);
  }
  QPushButton* button(int id) { return qobject_cast<QPushButton*>(ui().widget(id)); }
};

TEST_F(SelectionWindow, TheRealRangeButtonSelectsCameraKeysAndTheLinearButtonStraightensTheirCurve) {
  ASSERT_TRUE(scene_.cameraMode);
  const InterpolationCurve easeIn{64, 0, 64, 127};
  for (std::uint32_t frame : {10u, 20u, 30u}) {
    CameraKey values;
    values.curves.setCurve(kCameraRotation, easeIn);
    ASSERT_TRUE(registerCameraKeyWithValues(scene_, frame, values));
  }
  clearKeySelection(scene_.cameraKeyPool);
  drawTimeline(scene_, systems_->panels, ui());
  steps(1);
  ASSERT_FALSE(button(kCurveLinearButton)->isEnabled()) << "no key selected yet";
  auto* rows = qobject_cast<QComboBox*>(ui().widget(kRangeRowList));
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->currentText().toStdString(), "カメラ");

  typeInto(kRangeStartBox, "10");
  typeInto(kRangeEndBox, "20");
  ASSERT_EQ(ui().control(kRangeEndBox).text, "20");
  QTest::mouseClick(button(kRangeSelectButton), Qt::LeftButton);
  steps(1);
  ASSERT_TRUE(messages_.empty()) << messages_.front();
  EXPECT_TRUE(scene_.cameraKeyPool[1].selected);
  EXPECT_TRUE(scene_.cameraKeyPool[2].selected);
  EXPECT_FALSE(scene_.cameraKeyPool[3].selected);
  EXPECT_FALSE(scene_.cameraKeyPool[0].selected);
  ASSERT_TRUE(button(kCurveLinearButton)->isEnabled());
  EXPECT_TRUE(button(kCurveCopyButton)->isEnabled());

  ASSERT_EQ(ui().control(kCurveList).selection, kCameraRotation);
  QTest::mouseClick(button(kCurveLinearButton), Qt::LeftButton);
  steps(1);
  EXPECT_EQ(scene_.cameraKeyPool[1].curves.curve(kCameraRotation), InterpolationCurve{});
  EXPECT_EQ(scene_.cameraKeyPool[2].curves.curve(kCameraRotation), InterpolationCurve{});
  EXPECT_EQ(scene_.cameraKeyPool[3].curves.curve(kCameraRotation), easeIn);
  EXPECT_TRUE(scene_.modified);
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace zv
