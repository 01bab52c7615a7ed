#include "ui/model_selection.h"

#include <gtest/gtest.h>

#include "support/panel_ui.h"
#include "support/scene_with_model.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using Rows = std::vector<std::string>;

class ModelSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    Model& model = test::placeModel(scene_);
    model.listIndex = 1;
    scene_.cameraMode = true;
    ui_->setControlRows(kModelList, {"ｶﾒﾗ･照明･ｱｸｾｻﾘ", "sample"});
    ui_->setControlRows(kCurveList, curveListRows(true));
    ui_->selectControlRow(kCurveList, 5);
    panels_.relayout = [this] { ++layouts_; };
    createPanelBitmaps(panels_.bitmaps);
  }
  void select(int row) {
    ui_->selectControlRow(kModelList, row);
    applyModelSelection(scene_, *ui_, panels_);
  }

  std::unique_ptr<port::HeadlessUi> ui_ = test::makePanelUi();
  Scene scene_;
  Panels panels_;
  int layouts_ = 0;
};

TEST_F(ModelSelection, AModelRowSwitchesToModelModeWithItsPanels) {
  panels_.clipboards.modelKeyBuffers = {false, true, false};
  scene_.modelSlots[0]->undoHistory.undoAvailable = true;
  select(1);
  EXPECT_FALSE(scene_.cameraMode);
  EXPECT_EQ(layouts_, 1);
  EXPECT_EQ(ui_->control(kCurveList).rows, (Rows{"Ｘ軸移動", "Ｙ軸移動", "Ｚ軸移動", "回　転"}));
  EXPECT_EQ(ui_->control(kCurveList).selection, 3);
  EXPECT_TRUE(ui_->control(kSelectModeButton).checked);
  EXPECT_EQ(scene_.editMode, EditMode::Select);
  EXPECT_TRUE(ui_->control(kSelectModeButton).visible);
  EXPECT_FALSE(ui_->control(kPerspectiveButton).visible);
  EXPECT_EQ(ui_->control(kBottomViewButton).text, "カメラ");
  EXPECT_TRUE(ui_->control(kMenuSelectAllBoneKeys).enabled);
  EXPECT_TRUE(ui_->control(kMenuDeleteBrowKeys).enabled);
  EXPECT_FALSE(ui_->control(kMenuSelectAllCameraKeys).enabled);
  EXPECT_TRUE(ui_->control(kStretchButton).enabled);
  EXPECT_TRUE(ui_->control(kKeyPasteButton).enabled);
  EXPECT_FALSE(ui_->control(kKeyMirrorPasteButton).enabled);
  EXPECT_TRUE(ui_->control(kUndoButton).enabled);
  EXPECT_FALSE(ui_->control(kRedoButton).enabled);
  EXPECT_EQ(ui_->control(kRangeRowList).rows.front(), "全ﾌﾚｰﾑ");
  EXPECT_EQ(panels_.rows.shown.front().bone, 0);
}

TEST_F(ModelSelection, TheCameraRowSwitchesBackOnceAndAgainChangesNothing) {
  select(1);
  scene_.modelSlots[0]->undoHistory.undoAvailable = true;
  select(0);
  EXPECT_TRUE(scene_.cameraMode);
  EXPECT_EQ(layouts_, 2);
  EXPECT_EQ(scene_.editMode, EditMode::None);
  EXPECT_EQ(ui_->control(kCurveList).rows.size(), 6u);
  EXPECT_EQ(ui_->control(kCurveList).selection, 3);
  EXPECT_EQ(ui_->control(kRangeRowList).rows, (Rows{"カメラ", "照明"}));
  EXPECT_TRUE(ui_->control(kIkChainList).rows.empty());
  EXPECT_FALSE(ui_->control(kVisibleCheck).checked);
  EXPECT_FALSE(ui_->control(kUndoButton).enabled);
  EXPECT_FALSE(ui_->control(kMenuSelectAllBoneKeys).enabled);
  EXPECT_TRUE(ui_->control(kMenuSelectAllCameraKeys).enabled);
  EXPECT_FALSE(ui_->control(kStretchButton).enabled);
  EXPECT_TRUE(ui_->control(kPerspectiveButton).visible);
  EXPECT_EQ(panels_.rows.shown.front().name, "カメラ");

  ui_->setControlRows(kRangeRowList, {"kept"});
  scene_.editMode = EditMode::Move;
  select(0);
  EXPECT_EQ(layouts_, 2);
  EXPECT_EQ(scene_.editMode, EditMode::Move);
  EXPECT_EQ(ui_->control(kRangeRowList).rows, Rows{"kept"});
}

TEST_F(ModelSelection, ARowWithoutAModelChangesNothing) {
  ui_->setControlRows(kModelList, {"ｶﾒﾗ･照明･ｱｸｾｻﾘ", "sample", "stale"});
  select(2);
  EXPECT_TRUE(scene_.cameraMode);
  EXPECT_EQ(layouts_, 0);
}

}  // namespace
}  // namespace zv
