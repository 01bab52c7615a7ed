#include "app/accessory_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frame_fixture.h"
#include "scene/keys/key_registration.h"
#include "scene_with_model.h"
#include "temp_folder.h"

namespace zv {
namespace {

using test::FrameStepTest;

const std::filesystem::path kLamp = "UserFile/Accessory/lamp.vac";

class AccessoryCommandsTest : public FrameStepTest {
 protected:
  // A descriptor beside a copy of the demo lamp, placed and turned as given, shadow per `shadowLine`.
  std::filesystem::path writeDescriptor(const std::string& placement, const std::string& shadowLine) {
    std::filesystem::copy_file("UserFile/Accessory/lamp.x", folder_ / "lamp.x",
                               std::filesystem::copy_options::overwrite_existing);
    const std::filesystem::path descriptor = folder_ / "turned.vac";
    test::writeFile(descriptor, "Turned lamp\r\nlamp.x\r\n" + placement + "\r\n\r\n" + shadowLine + "\r\n");
    return descriptor;
  }

  // Puts a prop without geometry into `slot`, listed at `row`, as if it had been loaded.
  void occupySlot(int slot, int row) {
    auto prop = std::make_unique<Accessory>();
    prop->listIndex = row;
    systems_->accessories[static_cast<std::size_t>(slot)] = std::move(prop);
    scene_.accessories[static_cast<std::size_t>(slot)].loaded = true;
    std::vector<std::string> rows = ui_.control(kAccessoryList).rows;
    rows.resize(static_cast<std::size_t>(std::max<int>(static_cast<int>(rows.size()), row + 1)), "prop");
    ui_.setControlRows(kAccessoryList, rows);
  }

  std::string edit(int id) const { return ui_.control(id).text; }

  test::TempFolder folder_;
};

TEST_F(AccessoryCommandsTest, AddTakesTheFirstFreeSlotAndListsTheFilePlacement) {
  occupySlot(0, 0);
  occupySlot(2, 1);
  const std::filesystem::path descriptor = writeDescriptor("2.5\r\n8.0,-1.25,2.0\r\n1.5707963,0.0,-0.5", "1");
  ASSERT_TRUE(addAccessory(scene_, *systems_, descriptor));

  ASSERT_NE(systems_->accessories[1], nullptr);
  EXPECT_EQ(systems_->accessories[1]->listIndex, 2);
  EXPECT_EQ(ui_.control(kAccessoryList).rows, (std::vector<std::string>{"prop", "prop", "lamp.x"}));
  EXPECT_EQ(ui_.control(kAccessoryList).selection, 2);
  EXPECT_EQ(scene_.currentAccessory, 1);
  EXPECT_TRUE(scene_.modified);
  EXPECT_TRUE(ui_.messages.empty());

  const AccessoryState& state = scene_.accessories[1];
  EXPECT_TRUE(state.loaded);
  EXPECT_TRUE(state.visible);
  EXPECT_FALSE(state.shadow);
  EXPECT_EQ(state.parentModel, -1);
  EXPECT_EQ(state.position, (Vec3{8.0f, -1.25f, 2.0f}));
  EXPECT_EQ(state.scale, 2.5f);

  EXPECT_EQ(edit(373), "8.0000");
  EXPECT_EQ(edit(374), "-1.2500");
  EXPECT_EQ(edit(375), "2.0000");
  EXPECT_EQ(edit(376), "90.0000");
  EXPECT_EQ(edit(377), "0.0000");
  EXPECT_EQ(edit(378), "-28.6479");
  EXPECT_EQ(edit(379), "2.5000");
  EXPECT_TRUE(ui_.control(kAccessoryVisibleCheck).checked);
  EXPECT_FALSE(ui_.control(kAccessoryShadowCheck).checked);
  EXPECT_EQ(ui_.control(kAccessoryParentModelList).selection, 0);

  const AccessoryKey& head = scene_.accessoryKeyPools[1][0];
  EXPECT_EQ(head.position, state.position);
  EXPECT_EQ(head.rotation, (Vec3{1.5707963f, 0.0f, -0.5f}));
  EXPECT_EQ(head.scale, 2.5f);
  EXPECT_FALSE(head.shadow);
  EXPECT_TRUE(head.visible);
  EXPECT_EQ(head.parentModel, -1);
}

TEST_F(AccessoryCommandsTest, TheDemoLampCastsAShadowAndKeysLeftOnTheEmptySlotDoNotMoveIt) {
  AccessoryKey stray;
  stray.position = {50, 0, 0};
  ASSERT_TRUE(registerAccessoryKey(scene_, 10, stray));
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  EXPECT_EQ(scene_.accessoryKeyPools[0][0].next, 0u);
  EXPECT_EQ(scene_.accessoryKeyPools[0].extent(), 1u);
  EXPECT_EQ(scene_.accessoryKeyPools[0][0].position, (Vec3{8, 0, 2}));
  EXPECT_TRUE(scene_.accessories[0].shadow);
  EXPECT_TRUE(scene_.accessoryKeyPools[0][0].shadow);
  EXPECT_TRUE(ui_.control(kAccessoryShadowCheck).checked);
}

TEST_F(AccessoryCommandsTest, With255PropsAnotherIsRefusedUnreadAndNothingChanges) {
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    occupySlot(slot, slot);
  }
  const std::vector<std::string> rows = ui_.control(kAccessoryList).rows;
  scene_.currentAccessory = 7;
  EXPECT_FALSE(addAccessory(scene_, *systems_, folder_ / "missing.x"));
  ASSERT_EQ(ui_.messages.size(), 1u);  // the file was never opened: no not-found message
  EXPECT_EQ(ui_.messages[0].text, "追加できるアクセサリの最大数は255個までです");
  EXPECT_EQ(ui_.messages[0].caption, "アクセサリ追加");
  EXPECT_EQ(ui_.messages[0].owner, port::MessageOwner::MainWindow);
  EXPECT_EQ(ui_.control(kAccessoryList).rows, rows);
  EXPECT_EQ(scene_.currentAccessory, 7);
  EXPECT_FALSE(scene_.modified);
}

TEST_F(AccessoryCommandsTest, AFileThatIsNotAPropIsReportedAndTheSlotStaysEmpty) {
  test::writeFile(folder_ / "broken.x", "xof 0303txt 0032\nMesh { 3; oops");
  EXPECT_FALSE(addAccessory(scene_, *systems_, folder_ / "broken.x"));
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages.back().text, "正しいｘファイルではありません");
  EXPECT_EQ(ui_.messages.back().caption, "アクセサリ読込");
  EXPECT_EQ(ui_.messages.back().owner, port::MessageOwner::None);
  EXPECT_EQ(systems_->accessories[0], nullptr);
  EXPECT_FALSE(scene_.accessories[0].loaded);
  EXPECT_TRUE(ui_.control(kAccessoryList).rows.empty());
  EXPECT_FALSE(scene_.modified);
}

TEST_F(AccessoryCommandsTest, TheDialogAsksForPropsUnderTheAccessoryFolder) {
  EXPECT_FALSE(addAccessoryFromDialog(scene_, *systems_));  // cancelled
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  const port::FileDialogRequest& request = ui_.dialogs[0].request;
  EXPECT_FALSE(ui_.dialogs[0].save);
  EXPECT_EQ(request.title, "ファイルを開く");
  EXPECT_EQ(request.initialDirectory, "UserFile/Accessory");
  EXPECT_EQ(request.defaultExtension, "x");
  ASSERT_EQ(request.filters.size(), 4u);
  EXPECT_EQ(request.filters[0].description, "読込可能ファイル(*.x,*.vac)");
  EXPECT_EQ(request.filters[0].pattern, "*.x;*.vac");
  EXPECT_EQ(request.filters[1].pattern, "*.x");
  EXPECT_EQ(request.filters[2].description, "vac files(*.vac)");
  EXPECT_EQ(request.filters[3].description, "All Files(*.*)");
  EXPECT_EQ(systems_->accessories[0], nullptr);

  ui_.dialogAnswers.push_back(kLamp);
  EXPECT_TRUE(addAccessoryFromDialog(scene_, *systems_));
  EXPECT_NE(systems_->accessories[0], nullptr);
}

TEST_F(AccessoryCommandsTest, DeleteAsksThenEmptiesTheSlotResetsItsTrackAndKeepsRowsDense) {
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  }
  scene_.currentAccessory = 1;
  AccessoryKey moved;
  moved.position = {1, 2, 3};
  ASSERT_TRUE(registerAccessoryKey(scene_, 30, moved));
  ui_.selectControlRow(kAccessoryList, 1);
  scene_.modified = false;

  ui_.messageAnswers.push_back(port::MessageAnswer::Cancel);
  EXPECT_FALSE(deleteAccessory(scene_, *systems_));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "アクセサリ：lamp.xを削除します\nアクセサリのフレームデータも全て削除されます\n"
            "(この操作は元に戻す事はできません)\n\n削除してもよろしいですか？");
  EXPECT_EQ(ui_.messages[0].caption, "アクセサリ削除");
  EXPECT_EQ(ui_.messages[0].buttons, port::MessageButtons::OkCancel);
  EXPECT_NE(systems_->accessories[1], nullptr);
  EXPECT_FALSE(scene_.modified);

  EXPECT_TRUE(deleteAccessory(scene_, *systems_));
  EXPECT_EQ(systems_->accessories[1], nullptr);
  EXPECT_FALSE(scene_.accessories[1].loaded);
  EXPECT_TRUE(scene_.modified);
  const KeyPool<AccessoryKey>& pool = scene_.accessoryKeyPools[1];
  EXPECT_EQ(pool[0], AccessoryKey{});
  EXPECT_EQ(pool.extent(), 0u);
  EXPECT_EQ(systems_->accessories[0]->listIndex, 0);
  EXPECT_EQ(systems_->accessories[2]->listIndex, 1);
  EXPECT_EQ(ui_.control(kAccessoryList).rows.size(), 2u);
  EXPECT_EQ(ui_.control(kAccessoryList).selection, 0);
  EXPECT_EQ(scene_.currentAccessory, 0);
  EXPECT_EQ(edit(373), "8.0000");

  // The next prop takes the freed slot and goes to the end of the list.
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  EXPECT_EQ(systems_->accessories[1]->listIndex, 2);
}

TEST_F(AccessoryCommandsTest, DeletingTheOnlyPropEmptiesThePanelAndARowWithoutPropDoesNothing) {
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  ui_.selectControlRow(kAccessoryList, 3);
  EXPECT_FALSE(deleteAccessory(scene_, *systems_));
  EXPECT_TRUE(ui_.messages.empty());

  ui_.selectControlRow(kAccessoryList, 0);
  EXPECT_TRUE(deleteAccessory(scene_, *systems_));
  EXPECT_TRUE(ui_.control(kAccessoryList).rows.empty());
  EXPECT_EQ(ui_.control(kAccessoryParentModelList).selection, -1);
  EXPECT_TRUE(ui_.control(kAccessoryParentBoneList).rows.empty());
  for (int id = 373; id <= 379; ++id) {
    EXPECT_EQ(edit(id), "") << id;
  }
  EXPECT_EQ(scene_.currentAccessory, 0);
}

TEST_F(AccessoryCommandsTest, TheParentListsAttachThePropToAListedModelsBone) {
  test::TsmModel source = test::minimalModel();
  source.addBone("頭", 0, {0, 16, 0});
  source.addBone("頭先", 1, {0, 19, 0}, 7);
  source.addBone("右手首", 0, {-5, 10, 0});
  Model& model = test::placeModel(scene_, source);
  model.listIndex = 1;
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  const AccessoryState& state = scene_.accessories[0];

  ui_.selectControlRow(kAccessoryParentModelList, 1);
  accessoryParentModelChanged(scene_, *systems_);
  EXPECT_EQ(state.parentModel, 0);
  EXPECT_EQ(state.parentBone, 0);
  EXPECT_EQ(ui_.control(kAccessoryParentBoneList).rows,
            (std::vector<std::string>{"センター", "頭", "右手首"}));
  EXPECT_EQ(ui_.control(kAccessoryParentBoneList).selection, 0);

  ui_.selectControlRow(kAccessoryParentBoneList, 2);
  accessoryParentBoneChanged(scene_, *systems_);
  EXPECT_EQ(state.parentBone, 3);

  // The panel shows the parent again when the prop is chosen anew.
  ui_.setControlRows(kAccessoryParentBoneList, {});
  accessoryListChanged(scene_, *systems_);
  EXPECT_EQ(ui_.control(kAccessoryParentModelList).selection, 1);
  EXPECT_EQ(ui_.control(kAccessoryParentBoneList).selection, 2);

  // A row no model is listed at means the ground; the bone stays as it was.
  ui_.selectControlRow(kAccessoryParentModelList, 4);
  accessoryParentModelChanged(scene_, *systems_);
  EXPECT_EQ(state.parentModel, -1);
  EXPECT_EQ(state.parentBone, 3);
  EXPECT_TRUE(ui_.control(kAccessoryParentBoneList).rows.empty());
  // Choosing a bone while on the ground changes nothing.
  ui_.setControlRows(kAccessoryParentBoneList, {"頭"});
  ui_.selectControlRow(kAccessoryParentBoneList, 0);
  accessoryParentBoneChanged(scene_, *systems_);
  EXPECT_EQ(state.parentBone, 3);
}

TEST_F(AccessoryCommandsTest, TheParentListAndBoxesIgnoreAnEmptyCurrentSlot) {
  Model& model = test::placeModel(scene_);
  model.listIndex = 1;
  scene_.currentAccessory = 4;
  ui_.setControlRows(kAccessoryParentBoneList, {"x"});
  ui_.selectControlRow(kAccessoryParentModelList, 1);
  accessoryParentModelChanged(scene_, *systems_);
  toggleAccessoryVisible(scene_, *systems_);
  toggleAccessoryShadow(scene_, *systems_);
  EXPECT_EQ(ui_.control(kAccessoryParentBoneList).rows.size(), 1u);
  EXPECT_FALSE(scene_.accessories[4].loaded);
  EXPECT_TRUE(scene_.accessories[4].visible);
  EXPECT_EQ(scene_.accessories[4].parentModel, -1);
  EXPECT_FALSE(ui_.control(kAccessoryVisibleCheck).checked);
}

TEST_F(AccessoryCommandsTest, TheBoxesFlipTheCurrentPropsFlags) {
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  toggleAccessoryVisible(scene_, *systems_);
  EXPECT_FALSE(scene_.accessories[0].visible);
  EXPECT_FALSE(ui_.control(kAccessoryVisibleCheck).checked);
  toggleAccessoryShadow(scene_, *systems_);
  EXPECT_FALSE(scene_.accessories[0].shadow);
  EXPECT_FALSE(ui_.control(kAccessoryShadowCheck).checked);
  toggleAccessoryShadow(scene_, *systems_);
  EXPECT_TRUE(scene_.accessories[0].shadow);
  EXPECT_TRUE(ui_.control(kAccessoryShadowCheck).checked);
}

TEST_F(AccessoryCommandsTest, AttachingFromFrameZeroWritesTheHeadKeyAndRefusesUnknownBones) {
  test::placeModel(scene_);
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  const int bones = static_cast<int>(scene_.modelSlots[0]->bones.size());
  EXPECT_FALSE(attachAccessory(scene_, *systems_, 0, 0, bones));
  EXPECT_FALSE(attachAccessory(scene_, *systems_, 0, 5, 0));
  EXPECT_FALSE(attachAccessory(scene_, *systems_, 1, 0, 0));
  EXPECT_EQ(scene_.accessoryKeyPools[0][0].parentModel, -1);

  EXPECT_TRUE(attachAccessory(scene_, *systems_, 0, 0, bones - 1));
  EXPECT_EQ(scene_.accessories[0].parentModel, 0);
  EXPECT_EQ(scene_.accessories[0].parentBone, bones - 1);
  EXPECT_EQ(scene_.accessoryKeyPools[0][0].parentModel, 0);
  EXPECT_EQ(scene_.accessoryKeyPools[0][0].parentBone, bones - 1);
}

}  // namespace
}  // namespace zv
