// Stopping playback from the play button and at the end of the range: the controls come back as
// they were, the stop-frame option keeps the frame playback reached, the scene is sampled at the
// current frame; and the camera button hands the camera's view to the editing view.
#include <gtest/gtest.h>

#include "app/frame_step.h"
#include "app/model_commands.h"
#include "app/view_transforms.h"
#include "editor_fixture.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class PlaybackStop : public test::EditorTest {
 protected:
  // The demo character with bone 0 raised by 2 from frame 10 on, and an unregistered hand pose.
  Model& modelWithKey() {
    EXPECT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
    Model& model = *currentModel(scene_);
    const std::uint32_t key = *model.boneKeyPool.lowestFree();
    model.boneKeyPool.linkAfter(0, 0, key, 10);
    model.boneKeyPool.at(key).translation = {0, 2.0f, 0};
    model.boneMoved[1] = 1;
    return model;
  }
  void playFrom(std::string_view startFrame) {
    ui_.setControlText(kStartFrameBox, startFrame);
    ui_.setControlText(kStopFrameBox, "0");
    ui_.click(kPlayButton);
    ASSERT_TRUE(scene_.playing);
  }
};

TEST_F(PlaybackStop, WithTheStopFrameOptionTheFramePlaybackReachedBecomesCurrent) {
  Model& model = modelWithKey();
  ui_.click(kStopFrameCheck);
  ASSERT_TRUE(scene_.stopFrameOption);
  playFrom("0");
  scene_.currentTime = 2.55f;
  ui_.click(kPlayButton);

  EXPECT_FALSE(scene_.playing);
  EXPECT_FALSE(ui_.control(kPlayButton).checked);
  EXPECT_EQ(scene_.currentFrame, 76u);
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "76");
  EXPECT_EQ(systems_->panels.timeline.firstVisibleFrame, 70u);
  EXPECT_EQ(ui_.control(kFrameScrollBar).position, 70);
  EXPECT_TRUE(model.undoHistory.undoAvailable) << "the hand pose was kept as an undo step";
  EXPECT_EQ(model.boneMoved[1], 0);
  EXPECT_FLOAT_EQ(model.bones[0].keyTranslation.y, 2.0f);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);

  playFrom("0");
  scene_.currentTime = 0.1f;
  ui_.click(kPlayButton);
  EXPECT_EQ(scene_.currentFrame, 3u);
  EXPECT_EQ(systems_->panels.timeline.firstVisibleFrame, 0u) << "below frame 7 the grid starts at 0";
}

TEST_F(PlaybackStop, WithoutTheOptionTheFrameStaysAndTheModelIsSampledThere) {
  Model& model = modelWithKey();
  scene_.currentFrame = 20;
  playFrom("0");
  EXPECT_FLOAT_EQ(model.bones[0].keyTranslation.y, 0.0f) << "playback starts at frame 0";
  scene_.currentTime = 1.5f;
  ui_.click(kPlayButton);
  EXPECT_EQ(scene_.currentFrame, 20u);
  EXPECT_FLOAT_EQ(model.bones[0].keyTranslation.y, 2.0f);
  EXPECT_EQ(model.boneMoved[1], 1) << "no pose step without the option";
}

TEST_F(PlaybackStop, ControlsDisabledBeforePlaybackStayDisabledAfterIt) {
  ASSERT_TRUE(scene_.cameraMode);
  ASSERT_FALSE(ui_.control(kDeleteModelButton).enabled);
  ASSERT_FALSE(ui_.control(kCurvePasteButton).enabled);
  ui_.enableControl(kPoseCopyButton, false);
  playFrom("0");
  EXPECT_FALSE(ui_.control(kRegisterCameraButton).enabled);
  scene_.frameElapsedSeconds = 100.0f;
  frameStep(scene_, *systems_);
  ASSERT_FALSE(scene_.playing) << "the end of the range stops playback";
  EXPECT_TRUE(ui_.control(kRegisterCameraButton).enabled);
  EXPECT_FALSE(ui_.control(kDeleteModelButton).enabled) << "no model to delete in camera mode";
  EXPECT_FALSE(ui_.control(kCurvePasteButton).enabled) << "nothing copied";
  EXPECT_FALSE(ui_.control(kPoseCopyButton).enabled);
  EXPECT_TRUE(ui_.control(kMenuSelectAllCameraKeys).enabled);
  EXPECT_FALSE(ui_.control(kMenuZeroBoneX).enabled) << "a model menu stays grey in camera mode";
}

// Every world point sits at the same place before the eye in the camera's view and in the editing
// view that took it over.
class CameraTakeOver : public PlaybackStop, public ::testing::WithParamInterface<int> {};

TEST_P(CameraTakeOver, ShowsTheModelFromWhereTheCameraLooks) {
  modelWithKey();
  ASSERT_FALSE(scene_.cameraMode);
  CameraKey& head = scene_.cameraKeyPool.at(0);
  head.centre = {4, 12, -3};
  head.rotation = {0.3f, -1.1f, 0.2f};
  head.distance = -50.0f;
  scene_.followModelCentre = true;
  scene_.viewOffsetX = 7.0f;
  ui_.click(GetParam());

  const Mat4 turn = viewRotation(head.rotation);
  const Vec3 modelCentre = worldCentre(scene_);
  for (const Vec3 point : {Vec3{0, 0, 0}, Vec3{10, -4, 3}, Vec3{-2, 15, 8}}) {
    const Vec3 byCamera = transformDirection(point - head.centre, turn) - Vec3{0, 0, head.distance};
    const Vec3 byEditor = transformDirection(point - modelCentre, turn) -
                          Vec3{scene_.viewOffsetX, scene_.viewOffsetY, scene_.camera.cameraDistance};
    EXPECT_NEAR(byEditor.x, byCamera.x, 1e-4f);
    EXPECT_NEAR(byEditor.y, byCamera.y, 1e-4f);
    EXPECT_NEAR(byEditor.z, byCamera.z, 1e-4f);
  }
  EXPECT_EQ(scene_.camera.cameraAngles.y, head.rotation.y);
}

// The camera button, and the menu item that makes camera and light follow their keys.
INSTANTIATE_TEST_SUITE_P(CameraButtonAndFollowItem, CameraTakeOver,
                         ::testing::Values(kBottomViewButton, kMenuFollowCameraLight));

}  // namespace
}  // namespace zv
