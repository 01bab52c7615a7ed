#include "ui/panel_visibility.h"

#include <gtest/gtest.h>

#include "support/panel_ui.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

TEST(PanelVisibility, CameraModeShowsOpenCameraSectionsAndOnlyThePlusOfACollapsedOne) {
  auto ui = test::makePanelUi();
  VisibilityInput input;
  input.open.light = false;
  input.canUndo = true;  // ignored in camera mode
  ui->setControlRows(kIkChainList, {"first", "second"});
  applyPanelVisibility(*ui, panelVisibility(input));

  for (int id : {kPerspectiveButton, kCameraCollapseButton, kAccessoryList, kAccessoryCollapseButton, 381}) {
    EXPECT_TRUE(ui->control(id).visible) << id;
  }
  for (int id = 352; id <= 365; ++id) {
    EXPECT_FALSE(ui->control(id).visible) << id;
  }
  EXPECT_TRUE(ui->control(kLightExpandButton).visible);
  EXPECT_FALSE(ui->control(kCameraExpandButton).visible);
  EXPECT_FALSE(ui->control(kAccessoryExpandButton).visible);
  for (int id : {kSelectModeButton, kBoneCollapseButton, kBoneExpandButton, 397, 417, kFaceExpandButton}) {
    EXPECT_FALSE(ui->control(id).visible) << id;
  }
  EXPECT_FALSE(ui->control(kUndoButton).enabled);
  EXPECT_FALSE(ui->control(kRedoButton).enabled);
  for (int id = 339; id <= 344; ++id) {
    EXPECT_FALSE(ui->control(id).enabled) << id;
  }
  EXPECT_EQ(ui->control(kIkChainList).rows, std::vector<std::string>{"second"});
  EXPECT_EQ(ui->control(kBottomViewButton).text, "下面");
}

TEST(PanelVisibility, ModelModeFollowsUndoStatePoseClipboardAndCollapsedFacePanel) {
  auto ui = test::makePanelUi();
  VisibilityInput input;
  input.cameraMode = false;
  input.open.face = false;
  input.open.camera = false;  // a camera-mode flag: no "＋" for it in model mode
  input.modelListRow = 2;
  input.canUndo = true;
  input.poseHeld = false;
  ui->setControlRows(kIkChainList, {"first"});
  applyPanelVisibility(*ui, panelVisibility(input));

  for (int id = 384; id <= 395; ++id) {
    EXPECT_TRUE(ui->control(id).visible) << id;
  }
  for (int id = 397; id <= 417; ++id) {
    EXPECT_FALSE(ui->control(id).visible) << id;
  }
  EXPECT_TRUE(ui->control(kFaceExpandButton).visible);
  EXPECT_FALSE(ui->control(kBoneExpandButton).visible);
  for (int id : {kCameraExpandButton, kPerspectiveButton, 352, kLightExpandButton, kAccessoryList}) {
    EXPECT_FALSE(ui->control(id).visible) << id;
  }
  EXPECT_TRUE(ui->control(kUndoButton).enabled);
  EXPECT_FALSE(ui->control(kRedoButton).enabled);
  EXPECT_FALSE(ui->control(kPosePasteButton).enabled);
  EXPECT_FALSE(ui->control(kPoseMirrorPasteButton).enabled);
  for (int id = 339; id <= 344; ++id) {
    EXPECT_TRUE(ui->control(id).enabled) << id;
  }
  EXPECT_EQ(ui->control(kIkChainList).rows, std::vector<std::string>{"first"});
  EXPECT_EQ(ui->control(kBottomViewButton).text, "カメラ");

  input.poseHeld = true;
  applyPanelVisibility(*ui, panelVisibility(input));
  EXPECT_TRUE(ui->control(kPosePasteButton).enabled);
  EXPECT_TRUE(ui->control(kPoseMirrorPasteButton).enabled);
}

}  // namespace
}  // namespace zv
