#include <gtest/gtest.h>

#include <set>

#include "app/accessory_commands.h"
#include "app/command_handler.h"
#include "app/command_table.h"
#include "app/file_drop.h"
#include "app/frame_step.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "editor_fixture.h"
#include "frame_fixture.h"
#include "ui/control_ids.h"
#include "ui/control_rows.h"
#include "ui/menu_rows.h"

namespace zv {
namespace {

TEST(CommandTable, EveryRowNamesAControlOrMenuItemOnce) {
  std::set<int> ids;
  for (const port::ControlSpec& spec : controlRows()) {
    ids.insert(spec.id);
  }
  for (const port::MenuItemSpec& spec : menuRows()) {
    ids.insert(spec.id);
  }
  std::set<std::pair<int, int>> rows;
  for (const CommandRow& row : commandTable()) {
    EXPECT_TRUE(ids.contains(row.id)) << row.id;
    EXPECT_TRUE(rows.insert({row.id, row.notification}).second) << row.id;
    EXPECT_NE(row.action, nullptr) << row.id;
  }
  EXPECT_NE(findCommand(kNextFrameButton, port::kNotifyClicked), nullptr);
  EXPECT_NE(findCommand(kCurrentFrameBox, port::kNotifyEnterPressed), nullptr);
  EXPECT_NE(findCommand(kCurrentFrameBox, port::kNotifyFocusLost), nullptr);
  EXPECT_NE(findCommand(kModelList, port::kNotifySelectionChanged), nullptr);
  EXPECT_EQ(findCommand(kModelList, port::kNotifyClicked), nullptr);
}

// A control the user can click or a menu item that reaches no handler is drawn but does nothing.
TEST(CommandTable, EveryButtonCheckBoxAndMenuItemHasAClickedRow) {
  for (const port::ControlSpec& spec : controlRows()) {
    const bool clickable =
        spec.kind == port::ControlKind::Button || spec.kind == port::ControlKind::PushLikeCheckBox ||
        spec.kind == port::ControlKind::CheckBox || spec.kind == port::ControlKind::RadioButton;
    if (clickable) {
      EXPECT_NE(findCommand(spec.id, port::kNotifyClicked), nullptr) << spec.id << " " << spec.caption;
    }
  }
  for (const port::MenuItemSpec& spec : menuRows()) {
    EXPECT_NE(findCommand(spec.id, port::kNotifyClicked), nullptr) << spec.id << " " << spec.caption;
  }
}

class CommandsTest : public test::EditorTest {
 protected:
};

TEST_F(CommandsTest, ViewMenuSwitchesFollowTheSceneWithTheirChecks) {
  ui_.click(kMenuShowAxes);
  ui_.click(kMenuShowGroundShadow);
  ui_.click(kMenuShowInfo);
  ui_.click(kMenuFollowCameraLight);
  EXPECT_FALSE(scene_.showAxes);
  EXPECT_FALSE(ui_.control(kMenuShowAxes).checked);
  EXPECT_FALSE(scene_.showGroundShadow);
  EXPECT_FALSE(ui_.control(kMenuShowGroundShadow).checked);
  EXPECT_TRUE(scene_.showInfo);
  EXPECT_TRUE(ui_.control(kMenuShowInfo).checked);
  EXPECT_TRUE(scene_.followCameraLight);

  ui_.click(kMenu30Fps);
  EXPECT_EQ(scene_.frameRateLimit, 30.0f);
  EXPECT_TRUE(ui_.control(kMenu30Fps).checked);
  EXPECT_FALSE(ui_.control(kMenu60Fps).checked);
  ui_.click(kMenuUnlimitedFps);
  EXPECT_EQ(scene_.frameRateLimit, 1000.0f);
  EXPECT_FALSE(ui_.control(kMenu30Fps).checked);

  ui_.click(kMenuCaptureModes[1]);
  EXPECT_EQ(scene_.captureMode, CaptureMode::CentredView);
  EXPECT_TRUE(ui_.control(kMenuCaptureModes[1]).checked);
  EXPECT_FALSE(ui_.control(kMenuCaptureOff).checked);

  ui_.click(kVideoShownMenuItem);
  ui_.click(kImageShownMenuItem);
  EXPECT_EQ(scene_.backgroundVideoShown, 0);
  EXPECT_FALSE(ui_.control(kVideoShownMenuItem).checked);
  EXPECT_FALSE(ui_.control(kImageShownMenuItem).checked);
}

TEST_F(CommandsTest, BackgroundDialogsAskAsTheMenuSaysAndLoadedImagesShow) {
  ui_.dialogAnswers = {std::filesystem::path("UserFile/BackGround/demo_background.bmp")};
  ui_.click(kMenuLoadBackgroundImage);
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  const port::FileDialogRequest& request = ui_.dialogs[0].request;
  EXPECT_FALSE(ui_.dialogs[0].save);
  EXPECT_EQ(request.title, "背景BMPデータ読込");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].description, "Bmp files(*.bmp)");
  EXPECT_EQ(request.filters[1].description, "All Files(*.*)");
  EXPECT_EQ(request.filters[1].pattern, "*.*");
  EXPECT_EQ(request.initialDirectory, "UserFile/BackGround");
  EXPECT_EQ(request.defaultExtension, "bmp");
  EXPECT_TRUE(scene_.backgroundImageShown);
  EXPECT_TRUE(ui_.control(kImageShownMenuItem).checked);
  EXPECT_TRUE(scene_.modified);
  ui_.click(kImageShownMenuItem);
  EXPECT_FALSE(scene_.backgroundImageShown);
  EXPECT_FALSE(ui_.control(kImageShownMenuItem).checked);
}

TEST_F(CommandsTest, ExitClosesTheWindowThroughItsCloseBox) {
  int closes = 0;
  ui_.closeWindow = [&] { ++closes; };
  ui_.click(kMenuExit);
  EXPECT_EQ(closes, 1);
}

TEST_F(CommandsTest, QuestionsHoldEnterAndCancelChangesNothing) {
  addDemoModel();
  scene_.enterKeyState = KeyState::Up;
  ui_.messageAnswers = {port::MessageAnswer::Cancel};
  ui_.click(kMenuNew);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "現在の状態は破棄されます\n\nよろしいですか？");
  EXPECT_EQ(ui_.messages[0].caption, "新規作成");
  EXPECT_EQ(scene_.enterKeyState, KeyState::Held);
  EXPECT_NE(scene_.modelSlots[0], nullptr);

  ui_.click(kMenuNew);
  EXPECT_EQ(scene_.modelSlots[0], nullptr);
}

TEST_F(CommandsTest, PoseSaveWithOnlyTheFirstBoneSelectedAsksForASelection) {
  ui_.click(kMenuSavePose);
  EXPECT_TRUE(ui_.messages.empty());
  Model& model = addDemoModel();
  std::fill(model.boneSelected.begin(), model.boneSelected.end(), 0);
  model.boneSelected[0] = 1;
  ui_.click(kMenuSavePose);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(
      ui_.messages[0].text,
      "ポーズデータは選択されたボーンのみがセーブされます\nボーンの一部、もしくは全てを選択してください");
  EXPECT_EQ(ui_.messages[0].caption, "ポーズデータ保存");
  EXPECT_TRUE(ui_.dialogs.empty());

  model.boneSelected[1] = 1;
  ui_.click(kMenuSavePose);
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_TRUE(ui_.dialogs[0].save);
  EXPECT_EQ(ui_.dialogs[0].request.title, "ポーズデータ保存");
  EXPECT_EQ(ui_.dialogs[0].request.initialDirectory, "UserFile/Pose");
  EXPECT_EQ(ui_.dialogs[0].request.filters[0].description, "Vocaloid Pose Data files(*.vpd)");
}

TEST_F(CommandsTest, MotionSaveWithoutSelectedKeysAsksForThem) {
  scene_.cameraKeyPool.at(0).selected = false;
  ui_.click(kMenuSaveMotion);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].caption, "モーションデータ保存");
  EXPECT_TRUE(ui_.dialogs.empty());
}

TEST_F(CommandsTest, PlaybackLocksTheEditingControlsAndStopGivesBackTheirStates) {
  addDemoModel();
  ui_.enableControl(kRedoButton, false);
  ui_.enableControl(kUndoButton, true);
  ui_.setControlText(kStartFrameBox, "3");
  ui_.setControlText(kStopFrameBox, "0");
  scene_.lastFrame = 60;
  ui_.click(kPlayButton);
  EXPECT_TRUE(scene_.playing);
  EXPECT_FLOAT_EQ(scene_.playRangeStartTime, 0.1f);
  EXPECT_FLOAT_EQ(scene_.playRangeEndTime, 2.0f);
  EXPECT_FLOAT_EQ(scene_.currentTime, 0.1f);
  EXPECT_FALSE(ui_.control(kUndoButton).enabled);
  EXPECT_FALSE(ui_.control(kRegisterFrameButton).enabled);
  EXPECT_FALSE(ui_.control(kMenuLoadMotion).enabled);
  EXPECT_TRUE(ui_.control(kMenuExit).enabled);
  EXPECT_TRUE(ui_.control(kPlayButton).enabled);

  ui_.click(kPlayButton);
  EXPECT_FALSE(scene_.playing);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  EXPECT_FALSE(ui_.control(kRedoButton).enabled);
  EXPECT_TRUE(ui_.control(kRegisterFrameButton).enabled);
  EXPECT_TRUE(ui_.control(kMenuLoadMotion).enabled);
  EXPECT_FALSE(ui_.control(kMenuSelectAllCameraKeys).enabled);

  ui_.click(kPlayButton);
  scene_.frameElapsedSeconds = 5.0f;
  frameStep(scene_, *systems_);
  EXPECT_FALSE(scene_.playing);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  EXPECT_TRUE(ui_.control(kMenuLoadMotion).enabled);
}

TEST_F(CommandsTest, ViewPresetsSetTheirExactAngles) {
  scene_.camera.cameraDistance = -80.0f;
  ui_.click(kTopViewButton);
  EXPECT_EQ(scene_.camera.cameraAngles.x, -3.14159274f / 2);
  EXPECT_EQ(scene_.camera.cameraDistance, -80.0f);
  ui_.click(kBottomViewButton);
  EXPECT_EQ(scene_.camera.cameraAngles.x, 3.14159274f / 2);

  addDemoModel();
  ui_.click(kBackViewButton);
  EXPECT_EQ(scene_.camera.cameraAngles.x, 0.0f);
  EXPECT_EQ(scene_.camera.cameraAngles.y, 3.14159274f);
  EXPECT_EQ(scene_.camera.cameraDistance, -35.0f);
  EXPECT_EQ(scene_.viewOffsetY, 10.0f);
  ui_.click(kRightViewButton);
  EXPECT_EQ(scene_.camera.cameraAngles.y, -3.14159274f / 2);
}

TEST_F(CommandsTest, MorphSelectorsStepWithWrapAroundAndRegisterTheirMorph) {
  Model& model = addDemoModel();
  std::vector<std::int32_t> lipMorphs;
  for (std::size_t m = 1; m < model.morphs.size(); ++m) {
    if (model.morphs[m].category == 3) {
      lipMorphs.push_back(static_cast<std::int32_t>(m));
    }
  }
  ASSERT_FALSE(lipMorphs.empty());
  model.selectedMorph[2] = lipMorphs.back();
  ui_.click(kMorphNextButtons[2]);
  EXPECT_EQ(model.selectedMorph[2], lipMorphs.front());
  ui_.click(kMorphPreviousButtons[2]);
  EXPECT_EQ(model.selectedMorph[2], lipMorphs.back());
  EXPECT_FALSE(ui_.control(kMorphNameBoxes[2]).text.empty());

  scene_.currentFrame = 90;
  ui_.click(kMorphRegisterButtons[2]);
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(scene_.lastFrame, 90u);
}

TEST_F(CommandsTest, BonePanelToolsSelectionAndRegistration) {
  ui_.click(kRegisterFrameButton);
  EXPECT_FALSE(scene_.modified);
  Model& model = addDemoModel();
  ui_.click(kRotateButton);
  EXPECT_EQ(scene_.editMode, EditMode::Rotate);
  EXPECT_FALSE(ui_.control(kSelectModeButton).checked);
  ui_.click(kRotateButton);
  EXPECT_EQ(scene_.editMode, EditMode::None);

  std::fill(model.boneMoved.begin(), model.boneMoved.end(), 0);
  model.boneMoved[2] = 1;
  ui_.click(kSelectUnregisteredButton);
  EXPECT_EQ(scene_.editMode, EditMode::Select);
  EXPECT_EQ(model.selectedBone, -1);
  EXPECT_EQ(std::count(model.boneSelected.begin(), model.boneSelected.end(), 1), 1);
  EXPECT_EQ(model.boneSelected[2], 1);

  scene_.currentFrame = 15;
  ui_.click(kRegisterFrameButton);
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(model.lastFrame, 15u);
}

TEST_F(CommandsTest, UnneededKeysGoWithACountAndTheLipSyncDialogAsksForASequence) {
  ui_.click(kMenuDeleteUnneededKeys);
  EXPECT_TRUE(ui_.messages.empty());
  Model& model = addDemoModel();
  const std::uint32_t bones = model.boneKeyPool.headCount();
  model.boneKeyPool.linkAfter(0, 0, bones, 10);
  model.boneKeyPool.linkAfter(0, bones, bones + 1, 20);
  scene_.enterKeyState = KeyState::Up;
  ui_.click(kMenuDeleteUnneededKeys);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "1個のポイントを削除しました");
  EXPECT_EQ(ui_.messages[0].caption, "不要ポイントの削除");
  EXPECT_EQ(scene_.enterKeyState, KeyState::Held);
  EXPECT_TRUE(scene_.modified);

  ui_.click(kMenuLipSync);
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_EQ(ui_.dialogs[0].request.title, "vsqデータ読込");
  EXPECT_EQ(ui_.dialogs[0].request.filters[0].pattern, "*.vsq");
  EXPECT_EQ(ui_.dialogs[0].request.initialDirectory, "UserFile/Vsq");
}

TEST_F(CommandsTest, ModelMenusFollowTheModeAndTheModelPanelSwitchesItsModel) {
  EXPECT_FALSE(ui_.control(kMenuSelectAllBoneKeys).enabled);
  EXPECT_TRUE(ui_.control(kMenuSelectAllCameraKeys).enabled);
  ui_.click(kVisibleCheck);
  Model& model = addDemoModel();
  EXPECT_TRUE(ui_.control(kMenuSelectAllBoneKeys).enabled);
  EXPECT_FALSE(ui_.control(kMenuSelectAllCameraKeys).enabled);

  ASSERT_TRUE(model.visible);
  ui_.click(kVisibleCheck);
  EXPECT_FALSE(model.visible);
  ASSERT_FALSE(model.ikChains.empty());
  ui_.select(kIkChainList, 0);
  ui_.click(kIkOffRadio);
  EXPECT_FALSE(model.ikChains[0].enabled);
  EXPECT_FALSE(ui_.control(kIkOnRadio).checked);
  EXPECT_EQ(ui_.focusedControl, 0);

  scene_.currentFrame = 7;
  ui_.click(kRegisterDisplayIkButton);
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(model.lastFrame, 7u);
}

TEST_F(CommandsTest, DroppedFilesLoadAsTheirCommandsDoAndOthersAreRefused) {
  openDroppedFile(scene_, *systems_, "notes.txt");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "このファイルは読み込めません\nnotes.txt");
  EXPECT_FALSE(scene_.modified);

  openDroppedFile(scene_, *systems_, "UserFile/Model/tessera.tsm");
  ASSERT_NE(scene_.modelSlots[0], nullptr);
  EXPECT_FALSE(scene_.cameraMode);
  EXPECT_TRUE(scene_.modified);
  openDroppedFile(scene_, *systems_, "UserFile/BackGround/demo_background.bmp");
  EXPECT_TRUE(scene_.backgroundImageShown);
  EXPECT_TRUE(ui_.control(kImageShownMenuItem).checked);

  ui_.messages.clear();
  ui_.messageAnswers = {port::MessageAnswer::Cancel};
  openDroppedFile(scene_, *systems_, "UserFile/demo.tsf");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].caption, "ファイルを開く");
  EXPECT_TRUE(scene_.projectPath.empty());
  openDroppedFile(scene_, *systems_, "UserFile/demo.tsf");
  EXPECT_EQ(scene_.projectPath, "UserFile/demo.tsf");
  EXPECT_FALSE(scene_.modified);
}

TEST_F(CommandsTest, CameraPanelResetsAndRegisters) {
  scene_.camera.cameraCentre = {1, 2, 3};
  scene_.camera.cameraDistance = -5.0f;
  ui_.click(kCameraResetButton);
  EXPECT_EQ(scene_.camera.cameraCentre.y, 10.0f);
  EXPECT_EQ(scene_.camera.cameraDistance, -35.0f);
  EXPECT_FALSE(scene_.modified);
  scene_.currentFrame = 40;
  ui_.click(kRegisterCameraButton);
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(scene_.lastFrame, 40u);

  scene_.modified = false;
  scene_.currentFrame = 50;
  ui_.click(kRegisterAccessoryButton);
  EXPECT_FALSE(scene_.modified);
  ASSERT_TRUE(addAccessory(scene_, *systems_, "UserFile/Accessory/lamp.vac"));
  scene_.modified = false;
  ui_.click(kRegisterAccessoryButton);
  EXPECT_TRUE(scene_.modified);
  EXPECT_EQ(scene_.lastFrame, 50u);
}

}  // namespace
}  // namespace zv
