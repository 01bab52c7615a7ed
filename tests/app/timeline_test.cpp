// The frame editor in the application: the frame buttons, the typed frame, the frame scroll bar
// and presses on the grid, its header, labels, group boxes and splitter.
#include <gtest/gtest.h>

#include "app/accessory_commands.h"
#include "app/command_handler.h"
#include "app/frame_navigation.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/timeline_mouse.h"
#include "app/window_panels.h"
#include "editor_fixture.h"
#include "frame_fixture.h"
#include "ui/control_ids.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

// The press position of grid column `column`, row `row` (window pixels).
TimelinePress cell(int column, int row, bool shift = false) {
  return {kGridLeft + kColumnPitch * column + 2, kRowsTop + kRowPitch * row + 3, shift};
}

class Timeline : public test::EditorTest {
 protected:
  std::uint32_t first() const { return systems_->panels.timeline.firstVisibleFrame; }

  // Camera keys at `frames` after the head; their pool indices.
  std::vector<std::uint32_t> cameraKeys(std::initializer_list<std::uint32_t> frames) {
    std::vector<std::uint32_t> keys;
    std::uint32_t last = 0;
    for (std::uint32_t frame : frames) {
      const std::uint32_t fresh = *scene_.cameraKeyPool.lowestFree();
      scene_.cameraKeyPool.linkAfter(0, last, fresh, frame);
      keys.push_back(last = fresh);
    }
    drawTimeline(scene_, systems_->panels, ui_);
    return keys;
  }
  bool selected(std::uint32_t key) const { return scene_.cameraKeyPool[key].selected; }
};

TEST_F(Timeline, FrameButtonsStepAndStopAtZero) {
  ui_.click(kNextFrameButton);
  ui_.click(kNextFrameButton);
  ui_.click(kNextFrameButton);
  EXPECT_EQ(scene_.currentFrame, 3u);
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "3");
  for (int i = 0; i < 5; ++i) {
    ui_.click(kPreviousFrameButton);
  }
  EXPECT_EQ(scene_.currentFrame, 0u);
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "0");
}

TEST_F(Timeline, TheTypedFrameIsTakenOnEnterAndCentredInTheGrid) {
  ui_.type(kCurrentFrameBox, "250");
  ui_.pressEnter();
  EXPECT_EQ(scene_.currentFrame, 250u);
  EXPECT_EQ(first(), 244u);  // 250 - (250 - 84) / 26
  EXPECT_EQ(ui_.control(kFrameScrollBar).position, 244);
  EXPECT_EQ(ui_.control(kFrameScrollBar).rangeMax, 255);
  EXPECT_EQ(ui_.focusedControl, 0);

  ui_.type(kCurrentFrameBox, "4");
  ui_.pressEnter();
  EXPECT_EQ(first(), 0u);

  ui_.type(kCurrentFrameBox, "-12");
  ui_.pressEnter();
  EXPECT_EQ(scene_.currentFrame, 0u) << "a negative frame becomes 0";

  ui_.type(kCurrentFrameBox, "12");
  ui_.pressEnter();
  ui_.type(kCurrentFrameBox, "ab");
  ui_.pressEnter();
  EXPECT_EQ(scene_.currentFrame, 12u);
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "12");

  goToFrame(scene_, *systems_, std::int64_t{1} << 40);
  EXPECT_EQ(scene_.currentFrame, static_cast<std::uint32_t>(INT32_MAX)) << "clamped, never wrapped";
  nextFrame(scene_, *systems_);
  EXPECT_EQ(scene_.currentFrame, static_cast<std::uint32_t>(INT32_MAX));
}

TEST_F(Timeline, MovingTheFrameRecordsHandPosesAndSamplesTheModel) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  Model& model = *scene_.modelSlots[0];
  const std::uint32_t key = model.boneKeyPool.headCount();
  model.boneKeyPool.linkAfter(0, 0, key, 10);
  model.boneKeyPool.at(key).translation = {0, 2.0f, 0};
  model.boneMoved[1] = 1;
  ASSERT_FALSE(model.undoHistory.undoAvailable);

  ui_.type(kCurrentFrameBox, "10");
  ui_.pressEnter();

  EXPECT_TRUE(model.undoHistory.undoAvailable);
  EXPECT_EQ(model.boneMoved[1], 0);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  EXPECT_FLOAT_EQ(model.bones[0].keyTranslation.y, 2.0f);
}

TEST_F(Timeline, CameraModeSamplesTheCameraAndShowsItsViewAngle) {
  const std::vector<std::uint32_t> keys = cameraKeys({20});
  scene_.cameraKeyPool.at(keys[0]).viewAngle = 30;
  scene_.cameraKeyPool.at(keys[0]).centre = {1, 2, 3};
  ui_.type(kCurrentFrameBox, "20");
  ui_.pressEnter();
  EXPECT_FLOAT_EQ(scene_.camera.fieldOfView, 30.0f);
  EXPECT_FLOAT_EQ(scene_.camera.cameraCentre.z, 3.0f);
  EXPECT_EQ(ui_.control(kViewAngleBar).position, 30);
}

TEST_F(Timeline, TheLightViewAngleAndPropBoxesCommitOnEnter) {
  const auto enter = [&](int id, std::string_view text) {
    ui_.type(id, text);
    ui_.pressEnter();
  };
  enter(kLightColourBoxes[1], "128");
  EXPECT_FLOAT_EQ(scene_.light.lightColour.y, 0.5f);
  EXPECT_EQ(ui_.control(kLightColourBars[1]).position, 128);
  enter(kLightDirectionBoxes[2], "+0.25");
  EXPECT_FLOAT_EQ(scene_.light.lightDirection.z, 0.25f);
  EXPECT_EQ(ui_.control(kLightDirectionBars[2]).position, 25);
  enter(kLightDirectionBoxes[2], "x1");
  EXPECT_FLOAT_EQ(scene_.light.lightDirection.z, 0.25f) << "no number, no change";

  const Mat4 before = systems_->device.state.projection;
  enter(kViewAngleBox, "60");
  EXPECT_FLOAT_EQ(scene_.camera.fieldOfView, 60.0f);
  EXPECT_EQ(ui_.control(kViewAngleBar).position, 60);
  EXPECT_FALSE(systems_->device.state.projection == before) << "the projection is rebuilt";

  enter(kAccessoryRotationEdits[1], "90");
  EXPECT_FLOAT_EQ(scene_.accessories[0].rotation.y, 0.0f) << "nothing without a prop";
  ASSERT_TRUE(addAccessory(scene_, *systems_, "UserFile/Accessory/lamp.vac"));
  scene_.currentAccessory = 0;
  enter(kAccessoryRotationEdits[1], "90");
  EXPECT_NEAR(scene_.accessories[0].rotation.y, 1.570796f, 1e-6f) << "degrees stored as radians";
  enter(kAccessoryPositionEdits[0], "-2.5");
  EXPECT_FLOAT_EQ(scene_.accessories[0].position.x, -2.5f);
  enter(kAccessoryScaleEdit, "3");
  EXPECT_FLOAT_EQ(scene_.accessories[0].scale, 3.0f);
}

TEST_F(Timeline, TheFrameScrollBarMovesTheGrid) {
  ui_.scroll(kFrameScrollBar, port::ScrollCode::LineDown, 0);
  EXPECT_EQ(first(), 1u);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::PageDown, 0);
  EXPECT_EQ(first(), 13u);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::ThumbTrack, 40);
  EXPECT_EQ(first(), 40u);
  EXPECT_EQ(ui_.control(kFrameScrollBar).position, 40);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::PageUp, 0);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::PageUp, 0);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::PageUp, 0);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::PageUp, 0);
  EXPECT_EQ(first(), 0u);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::LineUp, 0);
  EXPECT_EQ(first(), 0u);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::EndScroll, 7);
  EXPECT_EQ(first(), 0u);

  scene_.currentFrame = 100;
  ui_.click(kShowCurrentFrameButton);
  EXPECT_EQ(first(), 94u);
}

TEST_F(Timeline, TheRowScrollBarMovesTheModelsRowsWithinTheRowCount) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  Model& model = *currentModel(scene_);
  const int lastScroll = systems_->panels.rows.rowCount - 2;
  ASSERT_GT(lastScroll, 3);
  ui_.scroll(kRowScrollBar, port::ScrollCode::LineDown, 0);
  ui_.scroll(kRowScrollBar, port::ScrollCode::LineDown, 0);
  EXPECT_EQ(model.rowScroll, 2);
  ui_.scroll(kRowScrollBar, port::ScrollCode::LineUp, 0);
  ui_.scroll(kRowScrollBar, port::ScrollCode::LineUp, 0);
  ui_.scroll(kRowScrollBar, port::ScrollCode::LineUp, 0);
  EXPECT_EQ(model.rowScroll, 0) << "never above the first row";
  ui_.scroll(kRowScrollBar, port::ScrollCode::PageDown, 0);
  EXPECT_EQ(model.rowScroll, std::min(lastScroll, (720 - 398) / 14 - 1));
  ui_.scroll(kRowScrollBar, port::ScrollCode::PageDown, 0);
  ui_.scroll(kRowScrollBar, port::ScrollCode::PageDown, 0);
  EXPECT_EQ(model.rowScroll, lastScroll) << "never past the row count - 2";
  ui_.setControlPosition(kRowScrollBar, 2);
  ui_.scroll(kRowScrollBar, port::ScrollCode::ThumbTrack, 3);
  EXPECT_EQ(model.rowScroll, lastScroll) << "the thumb moves by its own step, clamped";
  ui_.scroll(kRowScrollBar, port::ScrollCode::EndScroll, 0);
  EXPECT_EQ(model.rowScroll, lastScroll);
  ui_.setControlPosition(kRowScrollBar, 5);
  ui_.scroll(kRowScrollBar, port::ScrollCode::ThumbTrack, 1);
  EXPECT_EQ(model.rowScroll, lastScroll - 4);
  EXPECT_EQ(scene_.cameraRowScroll, 0) << "camera mode keeps its own position";
}

TEST_F(Timeline, ArrowStepsWithThePointerOverTheViewMoveTheEyeInstead) {
  const int viewLeft = systems_->viewRectangle.left;
  ASSERT_GT(viewLeft, scene_.panelWidth);
  scene_.mouseX = viewLeft + 1;
  ui_.scroll(kFrameScrollBar, port::ScrollCode::LineDown, 0);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::LineDown, 0);
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -37.0f);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::LineUp, 0);
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -36.0f);
  EXPECT_EQ(first(), 0u);
  ui_.scroll(kFrameScrollBar, port::ScrollCode::PageDown, 0);
  EXPECT_EQ(first(), 12u) << "pages still scroll";

  scene_.mouseX = viewLeft;
  ui_.scroll(kFrameScrollBar, port::ScrollCode::LineDown, 0);
  EXPECT_EQ(first(), 13u);
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -36.0f);
}

TEST_F(Timeline, KeyClicksSelectWithAndWithoutShift) {
  const std::vector<std::uint32_t> keys = cameraKeys({3, 5, 8});
  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, cell(3, 0)));
  EXPECT_TRUE(selected(keys[0]));
  EXPECT_FALSE(selected(keys[1]));

  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, cell(5, 0, true)));
  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, cell(8, 0, true)));
  EXPECT_TRUE(selected(keys[0]) && selected(keys[1]) && selected(keys[2]));
  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, cell(5, 0, true)));
  EXPECT_TRUE(selected(keys[0]) && !selected(keys[1]) && selected(keys[2])) << "Shift toggles one";

  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, cell(8, 0)));
  EXPECT_FALSE(selected(keys[0]));
  EXPECT_TRUE(selected(keys[2])) << "the clicked key ends as the only one selected";

  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, cell(0, 0)));
  EXPECT_TRUE(scene_.cameraKeyPool[0].selected) << "the head key is found through its -10 cell";
  EXPECT_FALSE(selected(keys[2]));

  EXPECT_FALSE(timelineMouseDown(scene_, *systems_, cell(12, 0))) << "beyond the 12 columns";
  EXPECT_FALSE(timelineMouseDown(scene_, *systems_, {kGridLeft + 2, 100}));
}

TEST_F(Timeline, TheHeaderGoesToItsFrame) {
  cameraKeys({});
  scene_.currentFrame = 40;
  ui_.click(kShowCurrentFrameButton);
  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, {kGridLeft + kColumnPitch * 4 + 1, kHeaderTop + 5}));
  EXPECT_EQ(scene_.currentFrame, 38u);  // first frame 34, column 4
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "38");
}

TEST_F(Timeline, RowsBeyondTheTablesAreIgnored) {
  ui_.client = {0, 0, 1280, 1400};
  cameraKeys({1});
  EXPECT_FALSE(timelineMouseDown(scene_, *systems_, cell(1, kTimelineRows)));
  EXPECT_FALSE(timelineMouseDown(scene_, *systems_, cell(1, kTimelineRows + 10)));
}

TEST_F(Timeline, GroupBoxesAndBoneLabels) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  Model& model = *scene_.modelSlots[0];
  const RowTable& rows = systems_->panels.rows;
  int groupRow = -1;
  for (std::size_t r = 0; r < rows.shown.size(); ++r) {
    if (rows.shown[r].group == 3) {
      groupRow = static_cast<int>(r);
    }
  }
  ASSERT_GT(groupRow, 0);
  const bool wasOpen = model.groupNames[3].open;
  const int rowCount = rows.rowCount;
  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, {10, kRowsTop + kRowPitch * groupRow + 2}));
  EXPECT_NE(model.groupNames[3].open, wasOpen);
  EXPECT_NE(systems_->panels.rows.rowCount, rowCount);
  if (!model.groupNames[3].open) {
    ASSERT_TRUE(timelineMouseDown(scene_, *systems_, {10, kRowsTop + kRowPitch * groupRow + 2}));
  }
  ASSERT_TRUE(model.groupNames[3].open);
  const int memberRow = groupRow + 1;
  const int bone = systems_->panels.rows.shown[memberRow].bone;
  ASSERT_GT(bone, 0);

  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, {30, kRowsTop + kRowPitch * memberRow + 2}));
  EXPECT_EQ(model.selectedBone, bone);
  EXPECT_EQ(model.boneSelected[bone], 1);
  EXPECT_EQ(std::count(model.boneSelected.begin(), model.boneSelected.end(), 1), 1);

  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, {30, kRowsTop + 2, true}));
  EXPECT_EQ(model.selectedBone, 0);
  EXPECT_EQ(model.boneSelected[bone], 1) << "Shift keeps the rest";
  EXPECT_EQ(model.boneSelected[0], 1);
}

TEST_F(Timeline, TheWindowShowsTheMarksUnderTheirColumnLines) {
  const std::vector<std::uint32_t> keys = cameraKeys({3, 7});
  scene_.cameraKeyPool.at(keys[1]).selected = true;
  drawTimeline(scene_, systems_->panels, ui_);
  port::Canvas window(1280, 720);
  paintWindow(window, scene_, *systems_);
  const port::Canvas& marks = systems_->panels.bitmaps.keyMarks;
  for (int dy = 0; dy < kKeyMarkSize; ++dy) {
    for (int dx = 0; dx < kKeyMarkSize; ++dx) {
      ASSERT_EQ(window.pixel(68 + 13 * 3 + dx, 162 + dy), marks.pixel(dx, dy));
      ASSERT_EQ(window.pixel(68 + 13 * 7 + dx, 162 + dy), marks.pixel(22 + dx, dy));
    }
  }
  EXPECT_EQ(window.pixel(73 + 13 * 5, 400), (port::Colour{150, 150, 255}));
}

TEST_F(Timeline, TheSplitterDragIsClamped) {
  timelineMouseMove(scene_, *systems_, scene_.panelWidth + 6, 300);
  EXPECT_EQ(ui_.cursorShape, port::CursorShape::ResizeLeftRight);
  timelineMouseMove(scene_, *systems_, scene_.panelWidth + 7, 300);
  EXPECT_EQ(ui_.cursorShape, port::CursorShape::Arrow);
  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, {scene_.panelWidth + 3, 300}));
  timelineMouseMove(scene_, *systems_, 700, 300);
  EXPECT_EQ(ui_.cursorShape, port::CursorShape::ResizeLeftRight) << "held, the drag keeps its pointer";
  EXPECT_EQ(scene_.panelWidth, 700);
  dragSplitter(scene_, *systems_, 2000);
  EXPECT_EQ(scene_.panelWidth, 1000);
  EXPECT_EQ(ui_.control(kFrameScrollBar).page, 70);
  dragSplitter(scene_, *systems_, 10);
  EXPECT_EQ(scene_.panelWidth, 250);
  dragSplitter(scene_, *systems_, 400);
  EXPECT_EQ(scene_.panelWidth, 400);
  timelineMouseUp(*systems_);
  dragSplitter(scene_, *systems_, 600);
  EXPECT_EQ(scene_.panelWidth, 400);
}

}  // namespace
}  // namespace zv
