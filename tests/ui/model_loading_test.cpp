#include "ui/model_loading.h"

#include <gtest/gtest.h>

#include "port/gl/headless_gl_context.h"
#include "support/model_builder.h"
#include "support/temp_folder.h"
#include "ui/model_panel.h"
#include "ui_with_controls.h"

namespace zv {
namespace {

class ModelLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context_ = port::HeadlessGlContext::create(error);
    if (!context_) {
      GTEST_SKIP() << "no headless GL context: " << error;
    }
    ASSERT_TRUE(createDevice(device_, {64, 64}));
    ui_.messages.clear();
  }
  void TearDown() override {
    if (context_) {
      model_.deviceResources.reset();
      releaseSurfaces(store_);
      releaseDevice(device_);
    }
  }

  std::unique_ptr<port::HeadlessGlContext> context_;
  test::UiWithControls ui_;
  DisplayDevice device_;
  TextureStore store_;
  Model model_;
};

TEST_F(ModelLoading, DemoCharacterShowsItsCommentAndFillsThePanel) {
  std::filesystem::path path = "UserFile/Model/tessera.tsm";
  ASSERT_TRUE(loadModel(model_, ui_, path, device_, store_, std::filesystem::current_path(), true));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].caption, "モデル情報");
  EXPECT_TRUE(ui_.messages[0].text.starts_with("デモ用キャラクター「テセラ」"));
  EXPECT_EQ(ui_.control(kIkChainList).rows.size(), 2u);
  EXPECT_TRUE(model_.visible);
  EXPECT_NE(model_.deviceResources, nullptr);
}

TEST_F(ModelLoading, FailuresAreShownAndLeaveThePathAlone) {
  test::TempFolder folder;
  std::filesystem::path missing = folder / "gone.tsm";
  EXPECT_FALSE(loadModel(model_, ui_, missing, device_, store_, folder.path(), true));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "ファイルが読み込めません:2");
  EXPECT_EQ(ui_.messages[0].caption, "ファイル読込");
  EXPECT_EQ(missing, folder / "gone.tsm");

  test::TsmModel broken = test::sampleModel();
  broken.indices[0] = 99;
  std::filesystem::path brokenPath = folder / "broken.tsm";
  test::writeFile(brokenPath, test::tsmBytes(broken));
  Model refused;
  EXPECT_FALSE(loadModel(refused, ui_, brokenPath, device_, store_, folder.path(), true));
  ASSERT_EQ(ui_.messages.size(), 2u);  // no comment box for a refused file
  EXPECT_EQ(ui_.messages[1].text, "このモデルファイルは壊れています(面の頂点番号が範囲外です)");
  EXPECT_EQ(refused.deviceResources, nullptr);
  EXPECT_TRUE(ui_.control(kIkChainList).rows.empty());
}

}  // namespace
}  // namespace zv
