#include "ui/model_panel.h"

#include <gtest/gtest.h>

#include "port/text.h"
#include "scene/document/model_reader.h"
#include "support/model_builder.h"
#include "ui_with_controls.h"

namespace zv {
namespace {

using Rows = std::vector<std::string>;

Model parsed(const test::TsmModel& description) {
  Model model;
  EXPECT_EQ(parseModel(test::tsmBytes(description), model), std::nullopt);
  return model;
}

TEST(ModelPanel, ShowsChainsVisibilityMorphSelectorsAndRangeRows) {
  test::TsmModel description = test::sampleModel();
  description.morphs.push_back({"ウィンク", 2, {{0, {0, -0.1f, 0}}}});
  Model model = parsed(description);
  model.ikChains[0].enabled = false;
  model.selectedMorph[1] = 5;  // the second eye morph, chosen earlier
  model.morphs[5].weight = 0.999f;
  test::UiWithControls ui;

  fillModelPanel(ui, model);

  EXPECT_EQ(ui.control(kIkChainList).rows, Rows{"左足ＩＫ"});
  EXPECT_EQ(ui.control(kIkChainList).selection, 0);
  EXPECT_FALSE(ui.control(kIkOnRadio).checked);
  EXPECT_TRUE(ui.control(kIkOffRadio).checked);
  EXPECT_TRUE(ui.control(kVisibleCheck).checked);

  EXPECT_EQ(model.selectedMorph, (std::array<std::int32_t, 4>{1, 5, 3, 4}));
  EXPECT_EQ(ui.control(399).text, "眉上");
  EXPECT_EQ(ui.control(403).text, "ウィンク");
  EXPECT_EQ(ui.control(404).position, 99);  // weight x 100, truncated
  EXPECT_EQ(ui.control(407).text, "あ");
  EXPECT_EQ(ui.control(411).text, "照れ");
  EXPECT_EQ(ui.control(412).position, 0);

  EXPECT_EQ(ui.control(kRangeRowList).rows,
            (Rows{"全ﾌﾚｰﾑ", "センター", "表示･IK", "全表情ﾌﾚｰﾑ", "眉上", "まばたき", "あ", "照れ",
                  "全ボーンﾌﾚｰﾑ", "左足", "左ひざ", "左足首", "左足ＩＫ", "左足捩"}));
  EXPECT_EQ(ui.control(kRangeRowList).selection, 0);
}

TEST(ModelPanel, EmptyCategoriesShowNothing) {
  test::TsmModel description = test::sampleModel();
  description.ikChains.clear();
  description.morphs.resize(3);  // base, one eyebrow and one eye morph
  description.morphList = {1};
  Model model = parsed(description);
  model.visible = false;
  test::UiWithControls ui;
  ui.setControlRows(kIkChainList, {"old"});
  ui.setControlText(407, "old");
  ui.setControlPosition(408, 40);

  fillModelPanel(ui, model);

  EXPECT_TRUE(ui.control(kIkChainList).rows.empty());
  EXPECT_FALSE(ui.control(kVisibleCheck).checked);
  EXPECT_EQ(model.selectedMorph, (std::array<std::int32_t, 4>{1, 2, 0, 0}));
  EXPECT_EQ(ui.control(407).text, "");
  EXPECT_EQ(ui.control(408).position, 0);
  EXPECT_EQ(ui.control(411).text, "");

  description.morphs.clear();
  description.morphList.clear();
  Model withoutMorphs = parsed(description);
  fillModelPanel(ui, withoutMorphs);
  for (int box : kMorphNameBoxes) {
    EXPECT_EQ(ui.control(box).text, "");
  }
  EXPECT_EQ(ui.control(kRangeRowList).rows.size(), 10u);
}

TEST(ModelPanel, DummyBoneModelGetsNumberedRows) {
  test::TsmModel description = test::sampleModel();
  description.name = "ダミーボーン";
  Model dummy = parsed(description);
  test::UiWithControls ui;
  fillModelPanel(ui, dummy);
  Rows expected = {"全ﾌﾚｰﾑ", "表示･IK"};
  for (const char* number :
       {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12", "13", "14", "15"}) {
    expected.push_back(std::string("ﾎﾞｰﾝ") + number);
  }
  EXPECT_EQ(ui.control(kRangeRowList).rows, expected);

  description.name = "ダミーボーン2";
  Model longer = parsed(description);
  fillModelPanel(ui, longer);
  EXPECT_EQ(ui.control(kRangeRowList).rows[1], "センター");
}

TEST(ModelPanel, DemoCharacterPanel) {
  std::filesystem::path path = "UserFile/Model/tessera.tsm";
  Model model;
  ASSERT_EQ(readModelFile(path, std::filesystem::current_path(), model), std::nullopt);
  test::UiWithControls ui;
  fillModelPanel(ui, model);

  EXPECT_EQ(ui.control(kIkChainList).rows, (Rows{"左足ＩＫ", "右足ＩＫ"}));
  EXPECT_TRUE(ui.control(kIkOnRadio).checked);
  EXPECT_EQ(ui.control(399).text, "真面目");
  EXPECT_EQ(ui.control(403).text, "まばたき");
  EXPECT_EQ(ui.control(407).text, "あ");
  EXPECT_EQ(ui.control(411).text, "にやり");
  const Rows rows = ui.control(kRangeRowList).rows;
  ASSERT_EQ(rows.size(), 4 + model.morphList.size() + 1 + model.boneList.size());
  EXPECT_EQ(Rows(rows.begin(), rows.begin() + 5),
            (Rows{"全ﾌﾚｰﾑ", "センター", "表示･IK", "全表情ﾌﾚｰﾑ", "真面目"}));
  EXPECT_EQ(rows[4 + model.morphList.size()], "全ボーンﾌﾚｰﾑ");
  EXPECT_EQ(rows.back(), "右足ＩＫ");
}

}  // namespace
}  // namespace zv
