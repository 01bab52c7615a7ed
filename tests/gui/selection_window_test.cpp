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
#include "kept_configuration.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

class SelectionWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ui().answerMessage = [this](std::string_view text, std::string_view, port::MessageButtons) {
      messages_.emplace_back(text);
      return port::MessageAnswer::Ok;
    };
    ASSERT_EQ(startUp(scene_, host_, "", windowContents(scene_, *systems_, host_)), StartOutcome::Running);
    window_ = qobject_cast<QMainWindow*>(ui().widget(kUndoButton)->window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->resize(1280, 800);
    steps(2);
  }
  void TearDown() override {
    window_->close();
    host_.processEvents();
    releaseFrameSystems(*systems_, scene_);
  }

  port::QtUi& ui() { return static_cast<port::QtUi&>(host_.ui()); }
  void steps(int count) {
    for (int i = 0; i < count; ++i) {
      host_.processEvents();
      frameStep(scene_, *systems_);
    }
    host_.processEvents();
  }
  void typeInto(int id, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(ui().widget(id));
    ASSERT_NE(edit, nullptr) << id;
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, text);
    steps(1);
  }
  QPushButton* button(int id) { return qobject_cast<QPushButton*>(ui().widget(id)); }

  const test::KeptConfiguration keptConfiguration_;
  int argc_ = 1;
  char name_[9] = "test_gui";
  char* argv_[2] = {name_, nullptr};
  port::QtWindowHost host_{argc_, argv_};
  Scene scene_;
  std::unique_ptr<FrameSystems> systems_ = std::make_unique<FrameSystems>();
  QMainWindow* window_ = nullptr;
  std::vector<std::string> messages_;  // of every message box, answered OK
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
