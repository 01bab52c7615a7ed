// The tables of the window's controls and menus against the design: ids, classes, captions, state
// at start and fonts, and what createControls leaves in a Ui.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "port/headless_ui.h"
#include "ui/control_ids.h"
#include "ui/control_rows.h"
#include "ui/create_controls.h"
#include "ui/menu_rows.h"

namespace zv {
namespace {

using port::ControlKind;
using Ids = std::set<int>;

Ids idRange(int first, int last) {
  Ids ids;
  for (int id = first; id <= last; ++id) {
    ids.insert(id);
  }
  return ids;
}

Ids unite(std::initializer_list<Ids> parts) {
  Ids all;
  for (const Ids& part : parts) {
    all.insert(part.begin(), part.end());
  }
  return all;
}

std::map<int, port::ControlSpec> rowsById() {
  std::map<int, port::ControlSpec> rows;
  for (const port::ControlSpec& row : controlRows()) {
    EXPECT_TRUE(rows.emplace(row.id, row).second) << "control " << row.id << " listed twice";
  }
  return rows;
}

template <typename Predicate>
Ids idsWhere(Predicate predicate) {
  Ids ids;
  for (const port::ControlSpec& row : controlRows()) {
    if (predicate(row)) {
      ids.insert(row.id);
    }
  }
  return ids;
}

TEST(ControlRows, EveryDesignedControlIsListedOnce) {
  Ids expected = idRange(300, 418);
  expected.erase(334);  // the design has no control 334 or 335
  expected.erase(335);
  Ids listed;
  for (const auto& [id, row] : rowsById()) {
    listed.insert(id);
  }
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(controlRows().size(), expected.size());
}

TEST(ControlRows, CaptionsAreTheDesignsOwn) {
  const auto rows = rowsById();
  EXPECT_EQ(rows.at(300).caption, "元に戻す");
  EXPECT_EQ(rows.at(318).caption, "＜");
  EXPECT_EQ(rows.at(323).caption, "削\u3000除");
  EXPECT_EQ(rows.at(340).caption, "登\u3000録");
  for (int id : {349, 364, 381}) {
    // An ideographic space followed by an ordinary blank.
    EXPECT_EQ(rows.at(id).caption, "\xe7\x99\xbb\xe3\x80\x80\x20\xe9\x8c\xb2") << id;
  }
  EXPECT_EQ(rows.at(345).caption, "ﾊﾟｰｽﾍﾟｸﾃｨﾌﾞ");
  EXPECT_EQ(rows.at(307).caption, "下面");
  EXPECT_EQ(rows.at(308).caption, "再\u3000生");
  EXPECT_EQ(rows.at(392).caption, "反転ﾍﾟｰｽﾄ");
  EXPECT_EQ(rows.at(414).caption, "登録");
  EXPECT_EQ(rows.at(351).caption, "＋");
  EXPECT_EQ(rows.at(350).caption, "－");
  // Check boxes and edits have no caption of their own: their labels are painted beside them.
  for (int id : {311, 312, 313, 314, 341, 343, 344, 372, 380, 317, 399}) {
    EXPECT_EQ(rows.at(id).caption, "") << id;
  }
}

TEST(ControlRows, ClassesFollowTheDesign) {
  const auto rows = rowsById();
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return row.kind == ControlKind::PushLikeCheckBox; }),
            (Ids{308, 345, 384, 385, 386, 387}));
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return row.kind == ControlKind::CheckBox; }),
            (Ids{311, 312, 313, 314, 341, 372, 380}));
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return row.kind == ControlKind::DropDownList; }),
            (Ids{333, 336, 338, 342, 367, 370, 371}));
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return row.kind == ControlKind::TrackBar; }),
            (Ids{346, 352, 353, 354, 355, 356, 357, 400, 404, 408, 412}));
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return row.ticks; }), (Ids{355, 356, 357}));
  EXPECT_EQ(rows.at(327).kind, ControlKind::VerticalScrollBar);
  EXPECT_EQ(rows.at(328).kind, ControlKind::HorizontalScrollBar);
  EXPECT_EQ(rows.at(343).kind, ControlKind::RadioButton);
  EXPECT_EQ(rows.at(344).kind, ControlKind::RadioButton);
  EXPECT_NE(rows.at(343).radioGroup, 0);
  EXPECT_EQ(rows.at(343).radioGroup, rows.at(344).radioGroup);
  EXPECT_EQ(
      idsWhere([](const port::ControlSpec& row) { return row.kind == ControlKind::Edit; }),
      unite({{309, 310, 317, 325, 326, 347, 399, 403, 407, 411}, idRange(358, 363), idRange(373, 379)}));
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return row.commitsOnEnter; }),
            unite({{317, 347}, idRange(358, 363), idRange(373, 379)}));
}

TEST(ControlRows, HiddenAndDisabledAtStart) {
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return !row.visible; }),
            unite({{351, 366, 383}, idRange(384, 418)}));
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return !row.enabled; }),
            (Ids{300, 301, 321, 322, 324, 330, 331, 332, 339, 340, 341, 342, 343, 344}));
}

TEST(ControlRows, OnlyTheFrameBoxItsStepButtonsAndTheBarsKeepTheSystemFont) {
  EXPECT_EQ(idsWhere([](const port::ControlSpec& row) { return row.systemFont; }),
            unite({{317, 318, 319, 327, 328, 346, 400, 404, 408, 412}, idRange(352, 357)}));
}

TEST(ControlRows, ListsStartWithTheirRows) {
  port::HeadlessUi ui;
  createControls(ui);
  using Rows = std::vector<std::string>;
  EXPECT_EQ(ui.control(kRangeRowList).rows, (Rows{"カメラ", "照明"}));
  EXPECT_EQ(ui.control(kCurveList).rows,
            (Rows{"Ｘ軸移動", "Ｙ軸移動", "Ｚ軸移動", "回\u3000転", "距\u3000離", "視野角"}));
  EXPECT_EQ(ui.control(kModelList).rows, (Rows{"ｶﾒﾗ･照明･ｱｸｾｻﾘ"}));
  EXPECT_EQ(ui.control(kModelList).selection, 0);  // the camera entry: camera mode at start
  EXPECT_EQ(ui.control(kAccessoryParentModelList).rows, (Rows{"地面"}));
  for (int id : {kIkChainList, kAccessoryList, kAccessoryParentBoneList}) {
    EXPECT_TRUE(ui.control(id).rows.empty()) << id;
  }
  EXPECT_EQ(ui.control(kUndoButton).text, "元に戻す");
  EXPECT_FALSE(ui.control(kUndoButton).enabled);
  EXPECT_FALSE(ui.control(kSelectModeButton).visible);
}

TEST(MenuRows, EveryMenuCommandHasOneItem) {
  Ids listed;
  for (const port::MenuItemSpec& row : menuRows()) {
    EXPECT_TRUE(listed.insert(row.id).second) << "menu item " << row.id << " listed twice";
    EXPECT_FALSE(row.menu.empty()) << row.id;
  }
  EXPECT_EQ(listed, unite({{200},
                           idRange(203, 213),
                           idRange(215, 218),
                           {220, 221},
                           idRange(225, 228),
                           idRange(230, 241),
                           idRange(254, 268)}));
}

TEST(MenuRows, CaptionsCarryTheirMnemonics) {
  std::map<int, std::string_view> captions;
  for (const port::MenuItemSpec& row : menuRows()) {
    captions[row.id] = row.caption;
  }
  EXPECT_EQ(captions.at(205), "新規(&N)");
  EXPECT_EQ(captions.at(200), "終了(&X)");
  EXPECT_EQ(captions.at(216), "半透明化(Vｷｰ)");
  EXPECT_EQ(captions.at(221), "表示･IKﾌﾚｰﾑすべて選択(&M)");
  EXPECT_EQ(captions.at(260), "ON･モード１(&M)");
  EXPECT_EQ(captions.at(231), "vsqによるリップシンク");
}

TEST(MenuRows, MenuStatesAtStart) {
  port::HeadlessUi ui;
  createControls(ui);
  Ids checked;
  Ids greyed;
  for (const port::MenuItemSpec& row : menuRows()) {
    if (ui.control(row.id).checked) {
      checked.insert(row.id);
    }
    if (!ui.control(row.id).enabled) {
      greyed.insert(row.id);
    }
  }
  EXPECT_EQ(checked, (Ids{217, 227, 241, 259}));
  EXPECT_EQ(greyed, unite({{203, 204, 220, 221, 225, 226, 228}, idRange(263, 266), idRange(231, 236)}));
}

}  // namespace
}  // namespace zv
