// The control model both Uis share, and HeadlessUi acting as the user through the shell's callbacks.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "port/headless_ui.h"

namespace zv::port {
namespace {

using Notification = std::pair<int, int>;

constexpr std::array<std::string_view, 2> kRows = {"カメラ", "照明"};

ControlSpec spec(int id, ControlKind kind, std::string_view caption = {}) {
  ControlSpec row;
  row.id = id;
  row.kind = kind;
  row.caption = caption;
  return row;
}

// A few controls of every class the program uses, reporting into `heard`.
class UserActions : public ::testing::Test {
 protected:
  UserActions() {
    ui.createControl(spec(1, ControlKind::Button, "元に戻す"));
    ControlSpec greyed = spec(2, ControlKind::Button, "やり直し");
    greyed.enabled = false;
    ui.createControl(greyed);
    ControlSpec hidden = spec(3, ControlKind::PushLikeCheckBox, "選　択");
    hidden.visible = false;
    ui.createControl(hidden);
    ui.createControl(spec(4, ControlKind::CheckBox));
    ui.createControl(spec(5, ControlKind::PushLikeCheckBox, "再　生"));
    for (int id : {6, 7}) {
      ControlSpec radio = spec(id, ControlKind::RadioButton);
      radio.radioGroup = 1;
      ui.createControl(radio);
    }
    ControlSpec list = spec(8, ControlKind::DropDownList);
    list.rows = kRows;
    ui.createControl(list);
    ControlSpec committing = spec(9, ControlKind::Edit);
    committing.commitsOnEnter = true;
    ui.createControl(committing);
    ui.createControl(spec(10, ControlKind::Edit));
    ui.createControl(spec(11, ControlKind::TrackBar));
    ui.createControl(spec(12, ControlKind::VerticalScrollBar));
    MenuItemSpec item;
    item.id = 200;
    item.caption = "座標軸表示(&G)";
    item.checkMark = true;
    item.checked = true;
    ui.createMenuItem(item);
    ui.command = [this](int id, int notification) {
      heard.push_back({id, notification});
      checkedWhenHeard.push_back(ui.control(id).checked);
      selectionWhenHeard.push_back(ui.control(id).selection);
    };
    ui.scrolled = [this](int id, ScrollCode code, int position) {
      scrolls.push_back({id, static_cast<int>(code) * 1000 + position});
    };
  }
  HeadlessUi ui;
  std::vector<Notification> heard;
  std::vector<bool> checkedWhenHeard;
  std::vector<int> selectionWhenHeard;
  std::vector<Notification> scrolls;
};

TEST_F(UserActions, AnIdThatWasNeverCreatedIsRefusedByName) {
  try {
    ui.setControlText(999, "x");
    FAIL() << "an unknown id was accepted";
  } catch (const std::out_of_range& error) {
    EXPECT_NE(std::string(error.what()).find("999"), std::string::npos);
  }
  EXPECT_THROW(ui.control(350), std::out_of_range);
  EXPECT_THROW(ui.click(999), std::out_of_range);
  EXPECT_THROW(ui.createControl(spec(1, ControlKind::Button)), std::logic_error);
  EXPECT_THROW(ui.type(1, "x"), std::logic_error);
  EXPECT_THROW(ui.select(9, 0), std::logic_error);
  EXPECT_THROW(ui.click(8), std::logic_error);
  EXPECT_TRUE(heard.empty());
}

TEST_F(UserActions, RowsGiveTheStateAtStart) {
  EXPECT_EQ(ui.control(1).text, "元に戻す");
  EXPECT_FALSE(ui.control(2).enabled);
  EXPECT_FALSE(ui.control(3).visible);
  EXPECT_EQ(ui.control(8).rows, (std::vector<std::string>{"カメラ", "照明"}));
  EXPECT_EQ(ui.control(8).selection, -1);
  EXPECT_EQ(ui.control(11).rangeMax, 100);  // a new track bar's range, as the window system gives it
  EXPECT_TRUE(ui.control(200).checked);
  EXPECT_EQ(ui.control(200).text, "座標軸表示(&G)");
}

TEST_F(UserActions, ClicksOnDisabledOrHiddenControlsDoNothing) {
  ui.click(2);
  ui.click(3);
  EXPECT_FALSE(ui.control(3).checked);
  ui.enableControl(200, false);
  ui.click(200);
  EXPECT_TRUE(heard.empty());
  ui.enableControl(2, true);
  ui.click(2);
  EXPECT_EQ(heard, (std::vector<Notification>{{2, kNotifyClicked}}));
}

TEST_F(UserActions, ClickTogglesCheckBoxesBeforeItNotifies) {
  ui.click(4);
  ui.click(5);
  ui.click(5);
  ui.click(1);
  EXPECT_EQ(heard, (std::vector<Notification>{{4, 0}, {5, 0}, {5, 0}, {1, 0}}));
  EXPECT_EQ(checkedWhenHeard, (std::vector<bool>{true, true, false, false}));
  EXPECT_TRUE(ui.control(4).checked);
  EXPECT_FALSE(ui.control(5).checked);
}

TEST_F(UserActions, RadioButtonChecksItselfAndUnchecksItsGroup) {
  ui.checkControl(6, true);
  ui.click(7);
  EXPECT_FALSE(ui.control(6).checked);
  EXPECT_TRUE(ui.control(7).checked);
  ui.click(7);  // clicking the checked one keeps it checked
  EXPECT_TRUE(ui.control(7).checked);
  EXPECT_EQ(heard, (std::vector<Notification>{{7, 0}, {7, 0}}));
}

TEST_F(UserActions, MenuClickLeavesTheCheckMarkToTheCommand) {
  ui.click(200);
  EXPECT_TRUE(ui.control(200).checked);
  EXPECT_EQ(heard, (std::vector<Notification>{{200, kNotifyClicked}}));
}

TEST_F(UserActions, SelectWritesTheSelectionThenNotifiesOne) {
  ui.select(8, 1);
  EXPECT_EQ(heard, (std::vector<Notification>{{8, kNotifySelectionChanged}}));
  EXPECT_EQ(selectionWhenHeard, std::vector<int>{1});
  ui.select(8, 2);            // no such row
  ui.selectControlRow(8, 0);  // the program's own choice notifies nothing
  EXPECT_EQ(heard.size(), 1u);
  ui.setControlRows(8, {"a"});
  EXPECT_EQ(ui.control(8).selection, -1);
}

TEST_F(UserActions, TypingMovesTheFocusAndEnterCommitsOnlyCommittingEdits) {
  ui.type(10, "12");
  ui.type(9, "45");
  EXPECT_EQ(ui.control(9).text, "45");
  ui.pressEnter();
  EXPECT_EQ(ui.focusedControl, 0);
  EXPECT_EQ(heard, (std::vector<Notification>{{10, kNotifyFocusGained},
                                              {10, kNotifyFocusLost},
                                              {9, kNotifyFocusGained},
                                              {9, kNotifyEnterPressed},
                                              {9, kNotifyFocusLost}}));
  heard.clear();
  ui.type(10, "7");
  ui.pressEnter();
  EXPECT_EQ(ui.focusedControl, 10);
  EXPECT_EQ(heard, (std::vector<Notification>{{10, kNotifyFocusGained}}));
}

TEST_F(UserActions, TrackBarsMoveThemselvesScrollBarsOnlyReport) {
  ui.scroll(11, ScrollCode::ThumbTrack, 140);
  EXPECT_EQ(ui.control(11).position, 100);
  ui.setControlRange(12, 0, 50);
  ui.setControlPosition(12, 4);
  ui.scroll(12, ScrollCode::ThumbTrack, 9);
  EXPECT_EQ(ui.control(12).position, 4);
  EXPECT_EQ(scrolls, (std::vector<Notification>{{11, 5100}, {12, 5009}}));
}

}  // namespace
}  // namespace zv::port
