// The curve box: its handles follow the selected keys, a drag moves one control point of the chosen
// channel on every selected key of the mode, and one undo puts the bone keys back.
#include <gtest/gtest.h>

#include "app/model_commands.h"
#include "app/timeline_mouse.h"
#include "editor_fixture.h"
#include "ui/control_ids.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

constexpr InterpolationCurve kStraight{};

class CurveBox : public test::EditorTest {
 protected:
  int height() const { return ui_.clientRect().height(); }
  // The window position of box point (x, y), y growing upward as the curve's values do.
  TimelinePress handleAt(int x, int y) const { return {8 + x, height() - 8 - y}; }
  void moveTo(TimelinePress at) { timelineMouseMove(scene_, *systems_, at.x, at.y); }

  // Five selected keys on bone 0 at frames 2, 4, .. 10 and one unselected at 12.
  std::vector<std::uint32_t> selectedBoneKeys(Model& model) {
    std::vector<std::uint32_t> keys;
    std::uint32_t last = 0;
    for (std::uint32_t frame = 2; frame <= 12; frame += 2) {
      const std::uint32_t fresh = *model.boneKeyPool.lowestFree();
      model.boneKeyPool.linkAfter(0, last, fresh, frame);
      model.boneKeyPool.at(fresh).selected = frame < 12;
      keys.push_back(last = fresh);
    }
    drawTimeline(scene_, systems_->panels, ui_);
    return keys;
  }
};

TEST_F(CurveBox, AHandleDragChangesTheChannelOfEverySelectedBoneKeyAndUndoRestoresThem) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  ASSERT_FALSE(scene_.cameraMode);
  Model& model = *scene_.modelSlots[0];
  const std::vector<std::uint32_t> keys = selectedBoneKeys(model);
  ui_.select(kCurveList, kBoneMoveY);
  scene_.modified = false;

  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, handleAt(20 + 4, 20 - 3)))
      << "within 5 pixels of the first handle";
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  moveTo(handleAt(50, 90));
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(model.boneKeyPool[keys[i]].curves.curve(kBoneMoveY), (InterpolationCurve{50, 90, 107, 107}));
    EXPECT_EQ(model.boneKeyPool[keys[i]].curves.curve(kBoneMoveX), kStraight) << "other channels stay";
  }
  EXPECT_EQ(model.boneKeyPool[keys[5]].curves.curve(kBoneMoveY), kStraight) << "unselected keys stay";
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(systems_->panels.bitmaps.preview.pixel(50, 127 - 90), (port::Colour{255, 0, 0}))
      << "the box shows the moved handle";

  moveTo({-100, height() + 300});
  EXPECT_EQ(model.boneKeyPool[keys[0]].curves.curve(kBoneMoveY), (InterpolationCurve{0, 0, 107, 107}));
  moveTo({2000, -300});
  EXPECT_EQ(model.boneKeyPool[keys[0]].curves.curve(kBoneMoveY), (InterpolationCurve{127, 127, 107, 107}));
  timelineMouseUp(*systems_);
  moveTo(handleAt(60, 60));
  EXPECT_EQ(model.boneKeyPool[keys[0]].curves.curve(kBoneMoveY).x1, 127) << "released: the handle stays";

  ui_.click(kUndoButton);
  for (std::uint32_t key : keys) {
    EXPECT_EQ(model.boneKeyPool[key].curves.curve(kBoneMoveY), kStraight);
  }
}

TEST_F(CurveBox, CameraModeDragsTheSecondHandleOfTheCameraKeysOnTheDistanceChannel) {
  ASSERT_TRUE(scene_.cameraMode);
  const std::uint32_t key = *scene_.cameraKeyPool.lowestFree();
  scene_.cameraKeyPool.linkAfter(0, 0, key, 5);
  scene_.cameraKeyPool.at(key).selected = true;
  scene_.cameraKeyPool.at(0).selected = true;
  ui_.select(kCurveList, kCameraDistance);

  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, handleAt(107, 107)));
  moveTo(handleAt(100, 3));
  moveTo(handleAt(101, 4));
  timelineMouseUp(*systems_);
  for (std::uint32_t index : {0u, key}) {
    EXPECT_EQ(scene_.cameraKeyPool[index].curves.curve(kCameraDistance),
              (InterpolationCurve{20, 20, 101, 4}));
    EXPECT_EQ(scene_.cameraKeyPool[index].curves.curve(kCameraRotation), kStraight);
  }
}

TEST_F(CurveBox, WithoutASelectedKeyThereIsNoHandleToTake) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  Model& model = *scene_.modelSlots[0];
  const std::vector<std::uint32_t> keys = selectedBoneKeys(model);
  ASSERT_TRUE(timelineMouseDown(scene_, *systems_, {kGridLeft + kColumnPitch + 2, kRowsTop + 3}))
      << "a click on an empty cell clears the selection";
  EXPECT_FALSE(timelineMouseDown(scene_, *systems_, handleAt(20, 20)));
  EXPECT_FALSE(model.undoHistory.undoAvailable) << "no undo step without a handle";
  moveTo(handleAt(70, 70));
  EXPECT_EQ(model.boneKeyPool[keys[0]].curves.curve(kBoneRotation), kStraight);
}

}  // namespace
}  // namespace zv
