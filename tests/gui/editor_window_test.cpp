// The program's own main window under the test script's X server, composed as the program composes
// it: the panels sit where the layout puts them, the real "－" buttons collapse their sections, and
// the demo character switches the window to model mode. The whole window is compared with reviewed
// pictures.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_step.h"
#include "app/model_commands.h"
#include "app/window_program.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove("Data/config.ini");
    ui().answerMessage = [this](std::string_view, std::string_view caption, port::MessageButtons) {
      captions_.emplace_back(caption);
      return port::MessageAnswer::Ok;
    };
    contents_ = windowContents(scene_, *systems_, host_);
    ASSERT_EQ(startUp(scene_, host_, "", contents_), StartOutcome::Running);
    window_ = qobject_cast<QMainWindow*>(widget(kUndoButton)->window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->resize(1280, 800);
    steps(3);
  }
  void TearDown() override {
    releaseFrameSystems(*systems_, scene_);
    std::filesystem::remove("Data/config.ini");
  }

  port::QtUi& ui() { return static_cast<port::QtUi&>(host_.ui()); }
  QWidget* widget(int id) { return ui().widget(id); }
  int xOf(int id) { return widget(id)->geometry().x(); }
  void steps(int count) {
    for (int i = 0; i < count; ++i) {
      host_.processEvents();
      frameStep(scene_, *systems_);
    }
    host_.processEvents();
  }
  void click(int id) {
    QTest::mouseClick(widget(id), Qt::LeftButton);
    steps(1);
  }

  // The window as the X server shows it, 3D view included, against a reviewed picture: fonts and
  // the software rasteriser may move a few edge pixels, never whole panels.
  void expectWindowLooksLike(const std::string& name) {
    const QImage shot =
        window_->screen()->grabWindow(window_->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QString reference = QString::fromStdString(std::string(ZV_TEST_DATA_DIR) + "/" + name + ".png");
    const char* bless = std::getenv("ZV_BLESS_REFERENCES");
    if (bless && std::string(bless) == "1") {
      ASSERT_TRUE(shot.save(reference));
      return;
    }
    shot.save(QString::fromStdString(name + ".actual.png"));
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "missing reference " << name;
    ASSERT_EQ(expected.size(), shot.size());
    long differing = 0;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        const QRgb want = expected.pixel(x, y);
        const QRgb got = shot.pixel(x, y);
        const int difference =
            std::max({std::abs(qRed(want) - qRed(got)), std::abs(qGreen(want) - qGreen(got)),
                      std::abs(qBlue(want) - qBlue(got))});
        differing += difference > 24 ? 1 : 0;
      }
    }
    EXPECT_LT(differing, static_cast<long>(shot.width()) * shot.height() / 100) << name;
  }

  int argc_ = 1;
  char name_[9] = "test_gui";
  char* argv_[2] = {name_, nullptr};
  port::QtWindowHost host_{argc_, argv_};
  Scene scene_;
  std::unique_ptr<FrameSystems> systems_ = std::make_unique<FrameSystems>();
  WindowContents contents_;
  QMainWindow* window_ = nullptr;
  std::vector<std::string> captions_;  // of every message box, answered OK
};

TEST_F(EditorWindow, ANewSceneShowsTheCameraModePanels) {
  EXPECT_EQ(xOf(kUndoButton), 50);
  EXPECT_EQ(xOf(kRedoButton), 130);
  EXPECT_TRUE(widget(kCameraResetButton)->isVisible());
  EXPECT_FALSE(widget(kSelectModeButton)->isVisible());
  EXPECT_EQ(static_cast<QLineEdit*>(widget(kLightColourBoxes[0]))->text(), "154");
  expectWindowLooksLike("window_camera_mode");
}

TEST_F(EditorWindow, TheRealCollapseButtonsMoveThePanelsToTheirRight) {
  const int lightX = xOf(kLightColourBars[0]);
  const int accessoryX = xOf(kAccessoryList);
  click(kCameraCollapseButton);
  EXPECT_EQ(xOf(kLightColourBars[0]), lightX - 82);
  EXPECT_EQ(xOf(kAccessoryList), accessoryX - 82);
  EXPECT_TRUE(widget(kCameraExpandButton)->isVisible());
  EXPECT_FALSE(widget(kCameraResetButton)->isVisible());
  click(kLightCollapseButton);
  EXPECT_EQ(xOf(kAccessoryList), accessoryX - 82 - 162);
  click(kCameraExpandButton);
  EXPECT_EQ(xOf(kLightColourBars[0]), lightX);
  EXPECT_TRUE(widget(kCameraResetButton)->isVisible());
}

TEST_F(EditorWindow, TheDemoCharacterSwitchesToModelModeAndTheCameraRowBack) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  steps(3);
  EXPECT_EQ(captions_, std::vector<std::string>{"モデル情報"});
  EXPECT_FALSE(scene_.cameraMode);
  EXPECT_TRUE(widget(kSelectModeButton)->isVisible());
  EXPECT_FALSE(widget(kCameraResetButton)->isVisible());
  EXPECT_EQ(static_cast<QPushButton*>(widget(kBottomViewButton))->text(), "カメラ");
  expectWindowLooksLike("window_model_mode");

  auto* models = static_cast<QComboBox*>(widget(kModelList));
  models->setFocus();
  QTest::keyClick(models, Qt::Key_Up);
  steps(1);
  EXPECT_TRUE(scene_.cameraMode);
  EXPECT_TRUE(widget(kCameraResetButton)->isVisible());
  EXPECT_EQ(static_cast<QPushButton*>(widget(kBottomViewButton))->text(), "下面");
}

TEST_F(EditorWindow, TheRealFrameButtonsBoxAndScrollBarMoveTheFrameEditor) {
  auto* box = static_cast<QLineEdit*>(widget(kCurrentFrameBox));
  click(kNextFrameButton);
  click(kNextFrameButton);
  EXPECT_EQ(scene_.currentFrame, 2u);
  EXPECT_EQ(box->text(), "2");
  for (int i = 0; i < 3; ++i) {
    click(kPreviousFrameButton);
  }
  EXPECT_EQ(scene_.currentFrame, 0u);

  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, "120");
  QTest::keyClick(box, Qt::Key_Return);
  steps(1);
  EXPECT_EQ(scene_.currentFrame, 120u);
  EXPECT_EQ(systems_->panels.timeline.firstVisibleFrame, 114u);

  static_cast<QScrollBar*>(widget(kFrameScrollBar))->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  steps(1);
  EXPECT_EQ(systems_->panels.timeline.firstVisibleFrame, 115u);
  click(kShowCurrentFrameButton);
  EXPECT_EQ(systems_->panels.timeline.firstVisibleFrame, 114u);
}

}  // namespace
}  // namespace zv
