// The panels in the application: a new scene's controls, the demo character switching the panels
// to model mode and back, the window layout and the painted background.
#include <gtest/gtest.h>

#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "frame_fixture.h"
#include "port/canvas/canvas.h"
#include "support/panel_ui.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using Rows = std::vector<std::string>;

class PanelsWindow : public test::FrameStepTest {
 protected:
  void SetUp() override {
    FrameStepTest::SetUp();
    if (!context_) {
      return;
    }
    systems_->ui = ui_.get();
    createPanels(scene_, *systems_);
    newScene(scene_, *systems_);
  }

  std::unique_ptr<port::HeadlessUi> ui_ = test::makePanelUi(1280, 720);
};

TEST_F(PanelsWindow, NewSceneShowsItsValuesAndMenus) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  scene_.panelOpen.bone = false;
  scene_.showInfo = true;
  scene_.frameRateLimit = 30;
  scene_.projectPath = "old.tsf";
  ui_->setControlText(kCurrentFrameBox, "12");

  newScene(scene_, *systems_);

  EXPECT_TRUE(scene_.cameraMode);
  EXPECT_FALSE(scene_.modified);
  EXPECT_EQ(scene_.modelSlots[0], nullptr);
  EXPECT_EQ(scene_.panelOpen, PanelOpen{});
  EXPECT_FALSE(scene_.showInfo);
  EXPECT_EQ(scene_.frameRateLimit, 60.0f);
  EXPECT_TRUE(scene_.projectPath.empty());
  EXPECT_EQ(scene_.editMode, EditMode::None);
  EXPECT_EQ(ui_->windowTitle, "Zol_Vanta");
  EXPECT_EQ(ui_->control(kCurrentFrameBox).text, "0");
  EXPECT_EQ(ui_->control(kViewAngleBox).text, " 45");
  EXPECT_EQ(ui_->control(kViewAngleBar).position, 45);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ui_->control(kLightColourBoxes[i]).text, "154");
    EXPECT_EQ(ui_->control(kLightColourBars[i]).position, 154);
  }
  EXPECT_EQ(ui_->control(kLightDirectionBoxes[0]).text, "-0.5");
  EXPECT_EQ(ui_->control(kLightDirectionBoxes[1]).text, "-1.0");
  EXPECT_EQ(ui_->control(kLightDirectionBoxes[2]).text, "+0.5");
  EXPECT_EQ(ui_->control(kLightDirectionBars[1]).position, -100);
  EXPECT_TRUE(ui_->control(kPerspectiveButton).checked);
  for (int id : {kMenuShowAxes, kMenuShowGroundShadow, kMenu60Fps, kMenuCaptureOff}) {
    EXPECT_TRUE(ui_->control(id).checked) << id;
  }
  for (int id : {kMenu30Fps, kMenuUnlimitedFps, kMenuShowInfo, kMenuCaptureModes[0], kImageShownMenuItem}) {
    EXPECT_FALSE(ui_->control(id).checked) << id;
  }
  for (int id : {220, 226, 221, 203, 204, 225, 263, 264, 265, 266, 228, 231, 232, 233, 234, 235, 236}) {
    EXPECT_FALSE(ui_->control(id).enabled) << id;
  }
  for (int id = 254; id <= 258; ++id) {
    EXPECT_TRUE(ui_->control(id).enabled) << id;
  }
  for (int id : {kCurveCopyButton, kUndoButton, kRedoButton, kPosePasteButton, kKeyPasteButton,
                 kKeyMirrorPasteButton}) {
    EXPECT_FALSE(ui_->control(id).enabled) << id;
  }
  EXPECT_EQ(ui_->control(kModelList).rows, Rows{"ｶﾒﾗ･照明･ｱｸｾｻﾘ"});
  EXPECT_EQ(ui_->control(kModelList).selection, 0);
  EXPECT_EQ(ui_->control(kAccessoryParentModelList).rows, Rows{"地面"});
  EXPECT_EQ(ui_->control(kCurveList).rows.size(), 6u);
  EXPECT_EQ(ui_->control(kCurveList).selection, 3);
  EXPECT_TRUE(ui_->control(kCameraResetButton).visible);
  EXPECT_FALSE(ui_->control(kSelectModeButton).visible);
  EXPECT_EQ(systems_->panels.rows.rowCount, 1);
}

TEST_F(PanelsWindow, TheDemoCharacterSwitchesToModelModeAndDeletingItSwitchesBack) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  EXPECT_FALSE(scene_.cameraMode);
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(ui_->control(kModelList).rows, (Rows{"ｶﾒﾗ･照明･ｱｸｾｻﾘ", "テセラ"}));
  EXPECT_EQ(ui_->control(kModelList).selection, 1);
  EXPECT_EQ(ui_->control(kAccessoryParentModelList).rows, (Rows{"地面", "テセラ"}));
  EXPECT_EQ(scene_.modelSlots[0]->listIndex, 1);
  EXPECT_TRUE(ui_->control(kRegisterFrameButton).visible);
  EXPECT_TRUE(ui_->control(kMorphSliders[0]).visible);
  EXPECT_FALSE(ui_->control(kLightColourBars[0]).visible);
  EXPECT_TRUE(ui_->control(kDeleteModelButton).enabled);
  EXPECT_EQ(systems_->panels.rows.shown.front().name, "センター");
  EXPECT_EQ(systems_->panels.rows.rowCount, 6);

  ui_->messageAnswers.push_back(port::MessageAnswer::Cancel);
  EXPECT_FALSE(deleteModel(scene_, *systems_));
  EXPECT_NE(scene_.modelSlots[0], nullptr);

  ASSERT_TRUE(deleteModel(scene_, *systems_));
  EXPECT_EQ(scene_.modelSlots[0], nullptr);
  EXPECT_TRUE(scene_.cameraMode);
  EXPECT_EQ(ui_->control(kModelList).rows, Rows{"ｶﾒﾗ･照明･ｱｸｾｻﾘ"});
  EXPECT_EQ(ui_->control(kAccessoryParentModelList).rows, Rows{"地面"});
  EXPECT_EQ(ui_->control(kRangeRowList).rows, (Rows{"カメラ", "照明"}));
  EXPECT_FALSE(ui_->control(kDeleteModelButton).enabled);
  EXPECT_EQ(ui_->messages.back().caption, "モデル削除");
}

TEST_F(PanelsWindow, LayoutClampsThePanelWidthAndKeepsTheViewAtItsRectangle) {
  scene_.panelWidth = 2000;
  layoutWindow(scene_, *systems_);
  EXPECT_EQ(scene_.panelWidth, 1000);
  EXPECT_EQ(ui_->control(kUndoButton).area.left, 425);
  // Right of the column and the gap: 271 x 560 free; 512 x 384 fits 271 wide, 203 high: 101 each
  // side of the middle, 280.
  EXPECT_EQ(systems_->viewRectangle, (port::Rect{1009, 179, 1280, 381}));
}

TEST_F(PanelsWindow, CollapsingTheCameraPanelShowsItsPlusAndMovesTheLightPanel) {
  layoutWindow(scene_, *systems_);
  const int lightLeft = ui_->control(kLightColourBars[0]).area.left;
  ASSERT_TRUE(collapseOrExpandPanel(scene_, *systems_, kCameraCollapseButton));
  EXPECT_FALSE(scene_.panelOpen.camera);
  EXPECT_TRUE(ui_->control(kCameraExpandButton).visible);
  EXPECT_FALSE(ui_->control(kCameraCollapseButton).visible);
  EXPECT_FALSE(ui_->control(kViewAngleBar).visible);
  EXPECT_EQ(ui_->control(kLightColourBars[0]).area.left, lightLeft - 82);
  ASSERT_TRUE(collapseOrExpandPanel(scene_, *systems_, kCameraExpandButton));
  EXPECT_TRUE(scene_.panelOpen.camera);
  EXPECT_EQ(ui_->control(kLightColourBars[0]).area.left, lightLeft);
  EXPECT_FALSE(collapseOrExpandPanel(scene_, *systems_, kPlayButton));
}

TEST_F(PanelsWindow, PaintingFillsThePanelsAndSetsTheRowScrollBar) {
  port::Canvas canvas(1280, 720);
  paintWindow(canvas, scene_, *systems_);
  const int p = 250;
  const int h = 720;
  EXPECT_EQ(canvas.pixel(1, 300), (port::Colour{150, 150, 150}));
  EXPECT_EQ(canvas.pixel(p + 3, 300), (port::Colour{220, 220, 220}));
  EXPECT_EQ(canvas.pixel(p + 400, 100), (port::Colour{0, 0, 0}));
  EXPECT_EQ(canvas.pixel(5, 40), (port::Colour{100, 50, 50}));
  EXPECT_EQ(canvas.pixel(p + 10, h - 5), (port::Colour{100, 50, 50}));
  EXPECT_EQ(canvas.pixel(p + 154, h - 5), (port::Colour{50, 50, 100}));
  EXPECT_EQ(canvas.pixel(p + 257, h - 5), (port::Colour{50, 100, 50}));
  EXPECT_EQ(canvas.pixel(p + 440, h - 5), (port::Colour{100, 100, 50}));
  EXPECT_EQ(canvas.pixel(p + 640, h - 5), (port::Colour{60, 60, 60}));
  EXPECT_EQ(canvas.pixel(p + 640, h - 100), (port::Colour{50, 50, 100}));
  EXPECT_EQ(canvas.pixel(6 + 100, 145 + 20), (port::Colour{19, 19, 19}));
  EXPECT_EQ(canvas.pixel(6 + 100, 145 + 29), (port::Colour{160, 65, 13}));
  EXPECT_EQ(canvas.pixel(8 + 64, h - 135 + 64), (port::Colour{255, 255, 255}));
  // Page (720 - 398) / 14 - 1 = 22 rows; one row in camera mode: maximum 1 - 2 + 22.
  EXPECT_EQ(ui_->control(kRowScrollBar).rangeMax, 21);
  EXPECT_EQ(ui_->control(kRowScrollBar).position, 0);
}

}  // namespace
}  // namespace zv
