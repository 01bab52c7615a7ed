#include "app/file_commands.h"

#include <gtest/gtest.h>

#include "files/motion/motion_format.h"
#include "port/headless_ui.h"
#include "scene/undo/undo.h"
#include "scene_with_model.h"
#include "temp_folder.h"
#include "ui/control_ids.h"
#include "ui_with_controls.h"

namespace zv {
namespace {

class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    attachUndoHistory(scene_, test::placeModel(scene_));
    MotionFile motion;
    motion.name = "other";
    motion.bones.push_back({scene_.modelSlots[0]->bones[1].name, 4, {1, 0, 0}, {0, 0, 0, 1}, {}});
    test::writeFile(otherMotion_, motionBytes(motion));
  }

  test::UiWithControls ui_;
  Scene scene_;
  test::TempFolder folder_;
  const std::filesystem::path otherMotion_ = folder_ / "other.vmd";
};

TEST_F(FileCommands, AnotherModelsMotionIsAskedInAnOkCancelBoxOverTheWindow) {
  ui_.messageAnswers.push_back(port::MessageAnswer::Cancel);
  EXPECT_FALSE(loadMotion(scene_, otherMotion_, ui_));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].owner, port::MessageOwner::MainWindow);
  EXPECT_EQ(ui_.messages[0].buttons, port::MessageButtons::OkCancel);
  EXPECT_EQ(ui_.messages[0].caption, "モーションデータ読込");
  EXPECT_EQ(scene_.modelSlots[0]->boneKeyPool[1].next, 0u);
  EXPECT_FALSE(ui_.control(kUndoButton).enabled);

  EXPECT_TRUE(loadMotion(scene_, otherMotion_, ui_));
  EXPECT_EQ(ui_.messages.size(), 2u);
  EXPECT_NE(scene_.modelSlots[0]->boneKeyPool[1].next, 0u);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  EXPECT_FALSE(ui_.control(kRedoButton).enabled);
}

TEST_F(FileCommands, RefusalsAreShownInOkBoxesInTheOrderTold) {
  test::writeFile(folder_ / "text.vmd", "plain text");
  EXPECT_FALSE(loadMotion(scene_, folder_ / "missing.vmd", ui_));
  EXPECT_FALSE(loadMotion(scene_, folder_ / "text.vmd", ui_));
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, "ファイルが読み込めません:2");
  EXPECT_EQ(ui_.messages[1].text, "このファイルは Vocaloid Motion Data file ではありません");
  for (const port::ShownMessage& shown : ui_.messages) {
    EXPECT_EQ(shown.buttons, port::MessageButtons::Ok);
    EXPECT_EQ(shown.owner, port::MessageOwner::MainWindow);
  }
}

}  // namespace
}  // namespace zv
