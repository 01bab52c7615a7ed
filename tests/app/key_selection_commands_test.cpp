// The range and vertical selection buttons and the curve box's clipboard buttons through the real
// command handler: what they select or write, the texts that change nothing, their undo steps,
// and the states of the curve buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "frame_fixture.h"
#include "port/text.h"
#include "scene/keys/key_bone_lookup.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using Frames = std::vector<std::uint32_t>;

class KeySelectionCommands : public test::FrameStepTest {
 protected:
  void SetUp() override {
    FrameStepTest::SetUp();
    if (!context_) {
      return;
    }
    createPanels(scene_, *systems_);
    newScene(scene_, *systems_);
    ui_.command = [&](int id, int notification) { handleCommand(scene_, *systems_, id, notification); };
    ui_.messages.clear();
  }

  Model& addDemoModel() {
    EXPECT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
    ui_.messages.clear();
    scene_.modified = false;
    Model& model = *currentModel(scene_);
    clearKeySelection(model.boneKeyPool);
    clearKeySelection(model.morphKeyPool);
    clearKeySelection(model.displayIkKeyPool);
    return model;
  }

  static std::uint32_t bone(const Model& model, const char* name) {
    const std::optional<std::uint32_t> found = findBoneByName(model, port::utf8ToCp932(name));
    EXPECT_TRUE(found) << name;
    return found.value_or(0);
  }

  void keyBone(Model& model, std::uint32_t boneIndex, std::uint32_t frame, InterpolationCurve moveX = {}) {
    BoneKey values;
    values.curves.setCurve(kBoneMoveX, moveX);
    ASSERT_TRUE(registerBoneKeyWithValues(scene_, model, boneIndex, frame, values));
  }

  // Types the range, chooses the row of list 336 that shows `row` and presses "範囲選択".
  void selectRange(std::string_view first, std::string_view last, std::string_view row) {
    const std::vector<std::string>& rows = ui_.control(kRangeRowList).rows;
    const auto found = std::ranges::find(rows, row);
    ASSERT_NE(found, rows.end()) << row;
    ui_.setControlText(kRangeStartBox, first);
    ui_.setControlText(kRangeEndBox, last);
    ui_.select(kRangeRowList, static_cast<int>(found - rows.begin()));
    ui_.click(kRangeSelectButton);
  }

  template <typename Record>
  static Frames selectedFrames(const KeyPool<Record>& pool, std::uint32_t head) {
    Frames frames;
    for (std::uint32_t key = head;; key = pool[key].next) {
      if (pool[key].selected) {
        frames.push_back(pool[key].frame);
      }
      if (pool[key].next == 0) {
        return frames;
      }
    }
  }

  template <typename Record>
  static InterpolationCurve curveAt(const KeyPool<Record>& pool, std::uint32_t head, std::uint32_t frame,
                                    int channel) {
    for (std::uint32_t key = head;; key = pool[key].next) {
      if (pool[key].frame == frame) {
        return pool[key].curves.curve(channel);
      }
      if (pool[key].next == 0) {
        break;
      }
    }
    ADD_FAILURE() << "no key at " << frame;
    return {};
  }

  bool enabled(int id) { return ui_.control(id).enabled; }
};

TEST_F(KeySelectionCommands, CameraModeRangeSelectsTheCameraOrTheLightTrackOnly) {
  if (!context_)
    GTEST_SKIP();
  for (std::uint32_t frame : {10u, 20u, 30u}) {
    ASSERT_TRUE(registerCameraKey(scene_, frame));
    ASSERT_TRUE(registerLightKey(scene_, frame));
  }
  clearKeySelection(scene_.cameraKeyPool);
  clearKeySelection(scene_.lightKeyPool);

  selectRange("15", "30", "カメラ");
  EXPECT_EQ(selectedFrames(scene_.cameraKeyPool, 0), (Frames{20, 30}));
  EXPECT_TRUE(selectedFrames(scene_.lightKeyPool, 0).empty());
  EXPECT_TRUE(enabled(kCurveCopyButton)) << "the curve box was redrawn: two keys, one curve";
  EXPECT_TRUE(enabled(kCurveLinearButton));
  EXPECT_FALSE(scene_.modified);

  selectRange(" -3", "10", "照明");
  EXPECT_EQ(selectedFrames(scene_.lightKeyPool, 0), (Frames{0, 10}));
  EXPECT_EQ(selectedFrames(scene_.cameraKeyPool, 0), (Frames{20, 30}));

  selectRange("30", "0", "カメラ");
  EXPECT_TRUE(selectedFrames(scene_.cameraKeyPool, 0).empty()) << "a reversed range holds no frame";
  EXPECT_FALSE(enabled(kCurveCopyButton));
  EXPECT_FALSE(enabled(kCurveLinearButton));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(KeySelectionCommands, RangeTextsThatNameNothingOrHoldNoNumberChangeNothing) {
  if (!context_)
    GTEST_SKIP();
  ASSERT_TRUE(registerCameraKey(scene_, 10));
  ui_.setControlRows(kRangeRowList, {"カメラ", "照明", "全ﾌﾚｰﾑ"});
  selectRange("0", "100", "全ﾌﾚｰﾑ");
  EXPECT_EQ(selectedFrames(scene_.cameraKeyPool, 0), (Frames{10})) << "only the two scene rows apply";
  EXPECT_TRUE(ui_.messages.empty());

  for (const auto& [first, last] : {std::pair{"", "20"}, std::pair{"0", ""}, std::pair{"abc", "20"}}) {
    selectRange(first, last, "カメラ");
    EXPECT_EQ(selectedFrames(scene_.cameraKeyPool, 0), (Frames{10})) << first << "~" << last;
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].caption, "範囲選択");
    EXPECT_EQ(ui_.messages[0].text, "範囲の開始ﾌﾚｰﾑと終了ﾌﾚｰﾑを数字で入力して下さい");
    ui_.messages.clear();
  }

  Model& model = addDemoModel();
  keyBone(model, bone(model, "首"), 10);
  selectRange("0", "100", "首");
  ui_.setControlRows(kRangeRowList, {"ない行"});
  ui_.selectControlRow(kRangeRowList, 0);
  ui_.click(kRangeSelectButton);
  EXPECT_EQ(selectedFrames(model.boneKeyPool, bone(model, "首")), (Frames{0, 10}));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(KeySelectionCommands, ModelModeRangeOverAllTracksOneFamilyOrOneRow) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  const std::uint32_t neck = bone(model, "首"), head = bone(model, "頭");
  keyBone(model, neck, 10);
  keyBone(model, neck, 30);
  keyBone(model, head, 20);
  ASSERT_GT(model.morphs.size(), 1u);
  ASSERT_TRUE(registerMorphKey(scene_, model, 1, 15));
  ASSERT_TRUE(registerDisplayIkKey(scene_, model, 25));

  selectRange("10", "25", "全ﾌﾚｰﾑ");
  EXPECT_EQ(selectedFrames(model.boneKeyPool, neck), (Frames{10}));
  EXPECT_EQ(selectedFrames(model.boneKeyPool, head), (Frames{20}));
  EXPECT_EQ(selectedFrames(model.morphKeyPool, 1), (Frames{15}));
  EXPECT_EQ(selectedFrames(model.displayIkKeyPool, 0), (Frames{25}));

  selectRange("0", "0", "全表情ﾌﾚｰﾑ");
  EXPECT_EQ(selectedFrames(model.morphKeyPool, 1), (Frames{0}));
  EXPECT_EQ(selectedFrames(model.boneKeyPool, neck), (Frames{10})) << "the bone keys stay selected";

  selectRange("20", "40", "全ボーンﾌﾚｰﾑ");
  EXPECT_EQ(selectedFrames(model.boneKeyPool, neck), (Frames{30}));
  EXPECT_EQ(selectedFrames(model.boneKeyPool, head), (Frames{20}));
  EXPECT_EQ(selectedFrames(model.displayIkKeyPool, 0), (Frames{25}));

  selectRange("0", "30", "首");
  EXPECT_EQ(selectedFrames(model.boneKeyPool, neck), (Frames{0, 10, 30}));
  EXPECT_TRUE(selectedFrames(model.boneKeyPool, head).empty());
  EXPECT_FALSE(scene_.modified);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(KeySelectionCommands, VerticalSelectionAddsTheKeysAtTheFirstSelectedKeysFrame) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  const std::uint32_t neck = bone(model, "首"), head = bone(model, "頭"), leg = bone(model, "左足");
  keyBone(model, head, 40);
  keyBone(model, neck, 40);
  keyBone(model, leg, 41);
  keyBone(model, neck, 12);
  clearKeySelection(model.boneKeyPool);
  ui_.click(kVerticalSelectButton);
  EXPECT_TRUE(selectedFrames(model.boneKeyPool, neck).empty()) << "nothing selected: no effect";

  selectRange("12", "12", "首");
  ui_.click(kVerticalSelectButton);
  EXPECT_EQ(selectedFrames(model.boneKeyPool, neck), (Frames{12}));
  EXPECT_TRUE(selectedFrames(model.boneKeyPool, head).empty());

  selectRange("40", "40", "頭");
  ui_.click(kVerticalSelectButton);
  EXPECT_EQ(selectedFrames(model.boneKeyPool, head), (Frames{40}));
  EXPECT_EQ(selectedFrames(model.boneKeyPool, neck), (Frames{40}));
  EXPECT_TRUE(selectedFrames(model.boneKeyPool, leg).empty());
  EXPECT_FALSE(scene_.modified);

  ui_.select(kModelList, 0);
  ASSERT_TRUE(scene_.cameraMode);
  clearKeySelection(model.boneKeyPool);
  model.boneKeyPool.at(neck).selected = true;
  ui_.click(kVerticalSelectButton);
  EXPECT_EQ(selectedFrames(model.boneKeyPool, head), Frames{}) << "camera mode leaves the bone keys alone";
}

TEST_F(KeySelectionCommands, CurveCopyPasteAndLinearInModelModeAreUndoneTogetherWithTheirFrame) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  const std::uint32_t neck = bone(model, "首"), head = bone(model, "頭");
  const InterpolationCurve easeOut{64, 0, 64, 127}, other{1, 2, 3, 4};
  keyBone(model, neck, 10, easeOut);
  keyBone(model, head, 10, other);
  selectRange("10", "10", "首");
  ui_.select(kCurveList, kBoneMoveX);
  ASSERT_TRUE(enabled(kCurveCopyButton));
  ASSERT_FALSE(enabled(kCurvePasteButton));
  ui_.click(kCurveCopyButton);
  EXPECT_TRUE(enabled(kCurvePasteButton));
  EXPECT_FALSE(scene_.modified);

  selectRange("10", "10", "全ボーンﾌﾚｰﾑ");
  EXPECT_FALSE(enabled(kCurveCopyButton)) << "two different curves: a copy would be a guess";
  scene_.currentFrame = 70;
  ui_.click(kCurvePasteButton);
  EXPECT_EQ(curveAt(model.boneKeyPool, head, 10, kBoneMoveX), easeOut);
  EXPECT_EQ(curveAt(model.boneKeyPool, neck, 10, kBoneMoveX), easeOut);
  EXPECT_EQ(curveAt(model.boneKeyPool, head, 10, kBoneMoveY), InterpolationCurve{});
  EXPECT_TRUE(scene_.modified);
  EXPECT_TRUE(enabled(kUndoButton));
  EXPECT_TRUE(enabled(kCurveCopyButton)) << "the box shows one curve again";

  ui_.select(kCurveList, kBoneRotation);
  ui_.click(kCurveLinearButton);
  ui_.select(kCurveList, kBoneMoveX);
  ui_.click(kCurveLinearButton);
  EXPECT_EQ(curveAt(model.boneKeyPool, head, 10, kBoneMoveX), InterpolationCurve{});

  scene_.currentFrame = 0;
  ui_.click(kUndoButton);
  EXPECT_EQ(curveAt(model.boneKeyPool, head, 10, kBoneMoveX), easeOut);
  EXPECT_EQ(scene_.currentFrame, 70u);
  ui_.click(kUndoButton);
  ui_.click(kUndoButton);
  EXPECT_EQ(curveAt(model.boneKeyPool, head, 10, kBoneMoveX), other);
  EXPECT_EQ(curveAt(model.boneKeyPool, neck, 10, kBoneMoveX), easeOut);
  ui_.click(kRedoButton);
  EXPECT_EQ(curveAt(model.boneKeyPool, head, 10, kBoneMoveX), easeOut);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(KeySelectionCommands, CameraCurvesChangeWithoutAnUndoStepAndANewSceneForgetsTheCopy) {
  if (!context_)
    GTEST_SKIP();
  Model& model = addDemoModel();
  ui_.select(kModelList, 0);
  ASSERT_TRUE(scene_.cameraMode);
  const int position = model.undoHistory.position;
  CameraKey values;
  values.curves.setCurve(kCameraViewAngle, {10, 20, 30, 40});
  ASSERT_TRUE(registerCameraKeyWithValues(scene_, 15, values));
  ASSERT_TRUE(registerCameraKey(scene_, 30));
  selectRange("15", "15", "カメラ");
  ui_.select(kCurveList, kCameraViewAngle);
  ui_.click(kCurveCopyButton);
  selectRange("30", "30", "カメラ");
  ui_.click(kCurvePasteButton);
  EXPECT_EQ(curveAt(scene_.cameraKeyPool, 0, 30, kCameraViewAngle), (InterpolationCurve{10, 20, 30, 40}));
  EXPECT_EQ(curveAt(scene_.cameraKeyPool, 0, 30, kCameraDistance), InterpolationCurve{});
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(model.undoHistory.position, position);
  EXPECT_FALSE(enabled(kUndoButton));

  ui_.click(kCurveLinearButton);
  EXPECT_EQ(curveAt(scene_.cameraKeyPool, 0, 30, kCameraViewAngle), InterpolationCurve{});

  ui_.click(kPlayButton);
  EXPECT_FALSE(enabled(kCurvePasteButton));
  EXPECT_FALSE(enabled(kCurveLinearButton));
  ui_.click(kPlayButton);
  EXPECT_TRUE(enabled(kCurvePasteButton)) << "stopping gives the copy back";
  EXPECT_TRUE(enabled(kCurveLinearButton));

  newScene(scene_, *systems_);
  EXPECT_FALSE(scene_.curveClipboard);
  EXPECT_FALSE(enabled(kCurvePasteButton));
  EXPECT_FALSE(enabled(kCurveCopyButton));
  EXPECT_FALSE(enabled(kCurveLinearButton));
}

}  // namespace
}  // namespace zv
