#include "app/project_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/accessory_commands.h"
#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "files/project/project_writer.h"
#include "frame_fixture.h"
#include "media/background_placement.h"
#include "port/text.h"
#include "temp_folder.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using test::FrameStepTest;

constexpr std::size_t kNewSceneBytes = 54 + (70 + 4 + 37) + (37 + 4 + 24) + 6 + 837;

std::uint32_t u32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

float f32At(const std::string& bytes, std::size_t offset) {
  float value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

class ProjectFileTest : public FrameStepTest {
 protected:
  void SetUp() override {
    FrameStepTest::SetUp();
    if (!context_) {
      return;
    }
    createPanels(scene_, *systems_);
    newScene(scene_, *systems_);
    ui_.messages.clear();
  }

  // The demo character in slot 0 with bone 0 keyed at frames 10 and 20, and the lamp on its wrist.
  Model& demoScene() {
    EXPECT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
    Model& model = *scene_.modelSlots[0];
    const std::uint32_t bones = model.boneKeyPool.headCount();
    model.boneKeyPool.linkAfter(0, 0, bones, 10);
    model.boneKeyPool.at(bones).translation = {0, 1.5f, 0};
    model.boneKeyPool.linkAfter(0, bones, bones + 1, 20);
    EXPECT_TRUE(addAccessory(scene_, *systems_, "UserFile/Accessory/lamp.vac"));
    EXPECT_TRUE(attachAccessory(scene_, *systems_, 0, 0, 3));
    ui_.setControlText(kStartFrameBox, "12ab");
    ui_.messages.clear();
    return model;
  }

  std::string saveTo(const std::string& name) {
    scene_.projectPath = (folder_ / name).string();
    EXPECT_TRUE(saveProject(scene_, *systems_));
    return test::readFile(folder_ / name);
  }

  bool loadFrom(const std::string& name) {
    scene_.projectPath = (folder_ / name).string();
    return loadProject(scene_, *systems_);
  }

  test::TempFolder folder_;
};

TEST_F(ProjectFileTest, ANewSceneSavesItsFixedBytesAndTitlesTheWindow) {
  scene_.modified = true;
  const std::string bytes = saveTo("new.tsf");
  ASSERT_EQ(bytes.size(), kNewSceneBytes);
  EXPECT_EQ(bytes.substr(0, 30), std::string("Tessera Scene forge 0001\0\0\0\0\0\0", 30));
  EXPECT_EQ(u32At(bytes, 30), static_cast<std::uint32_t>(scene_.outputWidth));
  EXPECT_EQ(f32At(bytes, 42), 45.0f);
  EXPECT_EQ(bytes.substr(46, 8), std::string("\x01\x01\x01\x01\x01\x01\x00\x00", 8));
  const std::size_t liveCamera = 54 + 74;
  EXPECT_EQ(f32At(bytes, liveCamera + 4), 10.0f);
  EXPECT_EQ(f32At(bytes, liveCamera + 20), -35.0f);
  const std::size_t trailer = kNewSceneBytes - 837;
  EXPECT_EQ(u32At(bytes, trailer + 12), 2u);
  EXPECT_EQ(bytes.substr(trailer + 825, 4), std::string("\x00\x00\x01\x01", 4));
  EXPECT_EQ(f32At(bytes, trailer + 829), 60.0f);
  EXPECT_FALSE(scene_.modified);
  EXPECT_EQ(ui_.windowTitle, "Zol_Vanta [" + scene_.projectPath + "]");

  ASSERT_TRUE(loadFrom("new.tsf"));
  EXPECT_EQ(ui_.control(kModelList).rows, std::vector<std::string>{"ｶﾒﾗ･照明･ｱｸｾｻﾘ"});
  EXPECT_EQ(saveTo("again.tsf"), bytes);
}

TEST_F(ProjectFileTest, KeysPropsAndOptionsComeBackAndSaveToTheSameBytes) {
  Model& model = demoScene();
  const std::uint32_t bones = static_cast<std::uint32_t>(model.bones.size());
  const std::string bytes = saveTo("demo.tsf");
  const std::size_t block = 54 + 20;
  EXPECT_EQ(bytes.substr(block + 21, 29), std::string("UserFile\\Model\\tessera.tsm\0\0\0", 29));
  const std::size_t count = block + 308 + model.groupNames.size() + 57 * bones;
  EXPECT_EQ(u32At(bytes, count), 2u);
  EXPECT_EQ(u32At(bytes, count + 4), bones);
  EXPECT_EQ(u32At(bytes, count + 65), bones + 1);
  EXPECT_EQ(u32At(bytes, bytes.size() - 837 + 20), 12u);  // "12ab" in the start box

  ASSERT_TRUE(loadFrom("demo.tsf"));
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages.front().text;
  const Model* loaded = scene_.modelSlots[0].get();
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->boneKeyPool[0].next, bones);
  EXPECT_EQ(loaded->boneKeyPool[bones].frame, 10u);
  EXPECT_EQ(loaded->boneKeyPool[bones].translation.y, 1.5f);
  EXPECT_EQ(loaded->boneKeyPool[bones + 1].prev, bones);
  EXPECT_EQ(scene_.accessories[0].parentModel, 0);
  EXPECT_EQ(scene_.accessories[0].parentBone, 3);
  ASSERT_NE(systems_->accessories[0], nullptr);
  EXPECT_EQ(ui_.control(kStartFrameBox).text, "12");
  EXPECT_FALSE(scene_.modified);
  EXPECT_EQ(saveTo("again.tsf"), bytes);
}

TEST_F(ProjectFileTest, RefusedFilesLeaveTheSceneAndAFailedSaveKeepsTheOldFile) {
  demoScene();
  std::string bytes = saveTo("demo.tsf");
  bytes[23] = '2';
  test::writeFile(folder_ / "v2.tsf", bytes);
  scene_.modified = true;
  EXPECT_FALSE(loadFrom("v2.tsf"));
  EXPECT_EQ(ui_.messages.back().text, "このバージョンのtsfファイルは読めません");
  EXPECT_NE(scene_.modelSlots[0], nullptr);

  EXPECT_FALSE(loadFrom("absent.tsf"));
  EXPECT_EQ(ui_.messages.back().text, "ファイルが読み込めません:2");
  EXPECT_NE(scene_.modelSlots[0], nullptr);

  scene_.modified = true;
  scene_.projectPath = (folder_ / "no-such-folder" / "a.tsf").string();
  EXPECT_FALSE(saveProject(scene_, *systems_));
  EXPECT_EQ(ui_.messages.back().caption, "ファイル読込");
  EXPECT_TRUE(ui_.messages.back().text.starts_with("ファイルが保存できません:"));
  EXPECT_TRUE(scene_.modified);
}

TEST_F(ProjectFileTest, AMissingModelOrDamagedDataEndsInANewScene) {
  demoScene();
  std::string bytes = saveTo("demo.tsf");
  std::string moved = bytes;
  moved.replace(54 + 20 + 21 + 15, 7, "gone___");
  test::writeFile(folder_ / "moved.tsf", moved);
  EXPECT_FALSE(loadFrom("moved.tsf"));
  EXPECT_EQ(ui_.messages.back().caption, "ファイル読込");
  EXPECT_NE(ui_.messages.back().text.find("のモデルファイル(gone___.tsm)が見つかりません"),
            std::string::npos);
  EXPECT_EQ(scene_.modelSlots[0], nullptr);
  EXPECT_EQ(systems_->accessories[0], nullptr);

  test::writeFile(folder_ / "cut.tsf", bytes.substr(0, bytes.size() - 1));
  EXPECT_FALSE(loadFrom("cut.tsf"));
  EXPECT_EQ(ui_.messages.back().text, "tsfファイルの内容が壊れているため読み込めません");
  EXPECT_EQ(scene_.modelSlots[0], nullptr);
}

TEST_F(ProjectFileTest, AWrongBackLinkIsCutWithTheBoneMessage) {
  Model& model = demoScene();
  const std::uint32_t bones = static_cast<std::uint32_t>(model.bones.size());
  std::string bytes = saveTo("demo.tsf");
  const std::size_t count = 54 + 20 + 308 + model.groupNames.size() + 57 * bones;
  bytes.replace(count + 65 + 4 + 4, 4, "\x01\0\0\0", 4);  // the second key's prev names index 1
  test::writeFile(folder_ / "broken.tsf", bytes);
  ASSERT_TRUE(loadFrom("broken.tsf"));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].caption, "セーブデータの異常");
  EXPECT_NE(ui_.messages[0].text.find("フレーム番号10以降"), std::string::npos);
  EXPECT_EQ(scene_.modelSlots[0]->boneKeyPool[bones].next, 0u);
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

TEST_F(ProjectFileTest, TheDemoProjectOpensWithItsCharacterLampMusicAndBackground) {
  scene_.projectPath = "UserFile/demo.tsf";
  ASSERT_TRUE(loadProject(scene_, *systems_));
  for (const port::ShownMessage& message : ui_.messages) {
    ADD_FAILURE() << message.caption << ": " << message.text;
  }
  const Model* character = scene_.modelSlots[0].get();
  ASSERT_NE(character, nullptr);
  EXPECT_GT(character->boneKeyPool.extent(), character->boneKeyPool.headCount());
  EXPECT_NE(scene_.cameraKeyPool[0].next, 0u);
  ASSERT_NE(systems_->accessories[0], nullptr);
  EXPECT_EQ(scene_.accessories[0].parentModel, 0);
  EXPECT_EQ(
      port::cp932ToUtf8(character->bones[static_cast<std::size_t>(scene_.accessories[0].parentBone)].name),
      "右手首");
  EXPECT_TRUE(imageLoaded(systems_->backgrounds));
  EXPECT_TRUE(scene_.backgroundImageShown);
  EXPECT_GT(systems_->backgrounds.image.placement.zoom, 0.0f);
  EXPECT_EQ(ui_.control(kStopFrameBox).text, "90");
  EXPECT_TRUE(scene_.repeatPlayback);
  EXPECT_EQ(ui_.control(kModelList).rows.size(), 2u);
}

TEST_F(ProjectFileTest, AFittedBackgroundIsStoredAsFittedAndAMovedOneAsPlaced) {
  scene_.projectPath = "UserFile/demo.tsf";
  ASSERT_TRUE(loadProject(scene_, *systems_));
  const ProjectBackground fitted = collectProject(scene_, *systems_).trailer.image;
  EXPECT_EQ(fitted.offsetX, 0);
  EXPECT_EQ(fitted.offsetY, 0);
  EXPECT_EQ(fitted.scale, 0.0f) << "read back fitted to whatever view reads it";
  EXPECT_FALSE(fitted.storedPath.empty());

  BackgroundPlacement& placement = systems_->backgrounds.image.placement;
  dragBackgroundPan(placement, 2, 0);
  const ProjectBackground moved = collectProject(scene_, *systems_).trailer.image;
  EXPECT_EQ(moved.offsetX, 10);
  EXPECT_EQ(moved.offsetY, placement.offsetY);
  EXPECT_EQ(moved.scale, placement.zoom);
  EXPECT_GT(moved.scale, 0.0f);
}

TEST_F(ProjectFileTest, TheFileMenuOpensAndSavesProjects) {
  ui_.command = [&](int id, int notification) { handleCommand(scene_, *systems_, id, notification); };
  const std::filesystem::path first = folder_ / "first.tsf";
  const std::filesystem::path second = folder_ / "second.tsf";
  ui_.dialogAnswers = {first, second};
  ui_.click(kMenuSave);
  ui_.click(kMenuSaveAs);
  ASSERT_EQ(ui_.dialogs.size(), 2u);
  EXPECT_TRUE(ui_.dialogs[0].save);
  EXPECT_EQ(ui_.dialogs[1].request.title, "ファイルを保存する");
  EXPECT_EQ(test::readFile(first), test::readFile(second));
  EXPECT_EQ(scene_.projectPath, second.string());

  scene_.modified = true;
  ui_.messageAnswers = {port::MessageAnswer::Cancel};
  ui_.click(kMenuOpen);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "保存していない変更点があります\n\nこのままロードしてよろしいですか？");
  EXPECT_EQ(ui_.messages[0].caption, "ファイルを開く");
  EXPECT_EQ(ui_.messages[0].buttons, port::MessageButtons::OkCancel);
  EXPECT_EQ(ui_.dialogs.size(), 2u);
  EXPECT_TRUE(scene_.modified);

  ui_.dialogAnswers = {std::filesystem::path("UserFile/demo.tsf")};
  ui_.click(kMenuOpen);
  ASSERT_EQ(ui_.dialogs.size(), 3u);
  EXPECT_FALSE(ui_.dialogs[2].save);
  EXPECT_EQ(scene_.projectPath, "UserFile/demo.tsf");
  EXPECT_NE(scene_.modelSlots[0], nullptr);
  EXPECT_FALSE(scene_.modified);
}

}  // namespace
}  // namespace zv
