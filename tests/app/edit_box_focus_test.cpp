// The committing boxes apply a typed value when the keyboard focus leaves them, as Enter does,
// but only a value the user changed.
#include <gtest/gtest.h>

#include "app/accessory_commands.h"
#include "app/model_commands.h"
#include "editor_fixture.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class EditBoxFocus : public test::EditorTest {};

TEST_F(EditBoxFocus, MovingToAnotherBoxOrTheWindowCommitsTheTypedValue) {
  ui_.type(kCurrentFrameBox, "40");
  EXPECT_EQ(scene_.currentFrame, 0u) << "typing alone applies nothing";
  ui_.type(kLightColourBoxes[0], "128");
  EXPECT_EQ(scene_.currentFrame, 40u);
  EXPECT_EQ(ui_.control(kFrameScrollBar).position, 34);

  ui_.focusMainWindow();
  EXPECT_FLOAT_EQ(scene_.light.lightColour.x, 0.5f);
  EXPECT_EQ(ui_.control(kLightColourBars[0]).position, 128);

  ui_.type(kViewAngleBox, "30");
  ui_.type(kLightDirectionBoxes[1], "-0.25");
  EXPECT_FLOAT_EQ(scene_.camera.fieldOfView, 30.0f);
  Mat4 expected;
  ASSERT_TRUE(perspective(expected, 30.0f / 180.0f * 3.141592f, 384.0f / 512.0f, 1.0f, 1500.0f));
  EXPECT_EQ(systems_->device.state.projection.m[0][0], expected.m[0][0]) << "the projection is rebuilt";
  EXPECT_EQ(systems_->device.state.projection.m[1][1], expected.m[1][1]);
  ui_.focusMainWindow();
  EXPECT_FLOAT_EQ(scene_.light.lightDirection.y, -0.25f);
  EXPECT_EQ(ui_.control(kLightDirectionBars[1]).position, -25);
}

TEST_F(EditBoxFocus, ABoxLeftUnchangedAppliesNothing) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  Model& model = *currentModel(scene_);
  model.boneMoved[1] = 1;
  ui_.type(kCurrentFrameBox, ui_.control(kCurrentFrameBox).text);
  ui_.focusMainWindow();
  EXPECT_EQ(model.boneMoved[1], 1) << "no frame change, so the hand pose stays unrecorded";
  EXPECT_FALSE(model.undoHistory.undoAvailable);
}

TEST_F(EditBoxFocus, ABoxThatLosesTheFocusByBeingDisabledAppliesNothing) {
  ui_.type(kCurrentFrameBox, "50");
  ui_.setControlText(kStartFrameBox, "0");
  ui_.click(kPlayButton);
  ASSERT_TRUE(scene_.playing);
  ASSERT_FALSE(ui_.control(kCurrentFrameBox).enabled);
  ui_.focusMainWindow();
  EXPECT_EQ(scene_.currentFrame, 0u);
  EXPECT_FALSE(ui_.control(kUndoButton).enabled) << "playback keeps its lock";
}

TEST_F(EditBoxFocus, APropRotationTypedInDegreesIsStoredInRadiansWhenLeft) {
  ASSERT_TRUE(addAccessory(scene_, *systems_, "UserFile/Accessory/lamp.vac"));
  ui_.type(kAccessoryRotationEdits[2], "90");
  ui_.type(kAccessoryScaleEdit, "2.5");
  ui_.focusMainWindow();
  const AccessoryState& prop = scene_.accessories[scene_.currentAccessory];
  EXPECT_FLOAT_EQ(prop.rotation.z, 90.0f * 3.141592f / 180.0f);
  EXPECT_FLOAT_EQ(prop.scale, 2.5f);
}

}  // namespace
}  // namespace zv
