#include "ui/row_names.h"

#include <gtest/gtest.h>

#include "port/text.h"
#include "scene/document/model_reader.h"
#include "scene/keys/key_range_selection.h"
#include "ui/panels.h"

namespace zv {
namespace {

using Rows = std::vector<std::string>;

class DemoRows : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::path file = "UserFile/Model/tessera.tsm";
    ASSERT_FALSE(readModelFile(file, std::filesystem::current_path(), model_));
    std::fill(model_.boneSelected.begin(), model_.boneSelected.end(), 0);
  }
  int bone(std::string_view utf8) const {
    for (std::size_t b = 0; b < model_.bones.size(); ++b) {
      if (model_.bones[b].name == port::utf8ToCp932(utf8)) {
        return static_cast<int>(b);
      }
    }
    ADD_FAILURE() << "no bone " << utf8;
    return 0;
  }
  int morph(std::string_view utf8) const {
    for (std::size_t m = 0; m < model_.morphs.size(); ++m) {
      if (model_.morphs[m].name == port::utf8ToCp932(utf8)) {
        return static_cast<int>(m);
      }
    }
    ADD_FAILURE() << "no morph " << utf8;
    return 0;
  }
  static Rows texts(const RowTable& table) {
    Rows rows;
    for (const ShownRow& row : table.shown) {
      rows.push_back(row.mark + row.name + (row.highlighted ? "*" : ""));
    }
    return rows;
  }
  // Adds keys at `frames` to the bone track headed by `head`, after its last key.
  template <typename Record>
  static void addKeys(KeyPool<Record>& pool, std::uint32_t head,
                      std::initializer_list<std::uint32_t> frames) {
    std::uint32_t last = head;
    for (std::uint32_t frame : frames) {
      const std::uint32_t fresh = *pool.lowestFree();
      pool.linkAfter(head, last, fresh, frame);
      last = fresh;
    }
  }
  template <typename Record>
  static std::vector<std::uint32_t> selectedFrames(const KeyPool<Record>& pool, std::uint32_t head) {
    std::vector<std::uint32_t> frames;
    for (std::uint32_t key = head;; key = pool[key].next) {
      if (pool[key].selected) {
        frames.push_back(pool[key].frame);
      }
      if (pool[key].next == 0) {
        return frames;
      }
    }
  }

  Model model_;
};

TEST_F(DemoRows, OpenAndClosedGroupsWithASelectedBone) {
  model_.groupNames[2].open = true;  // 表情
  model_.groupNames[3].open = true;  // 体(上)
  model_.boneSelected[static_cast<std::size_t>(bone("首"))] = 1;
  model_.boneSelected[static_cast<std::size_t>(bone("左ひざ"))] = 1;

  const RowTable table = modelModeRows(model_, 0);

  EXPECT_EQ(texts(table),
            (Rows{"センター", "＋表示･IK", "－表情", "真面目", "困る", "上",     "まばたき", "ウィンク",
                  "笑い",     "あ",        "い",     "う",     "お",   "にやり", "口角下げ", "－体(上)",
                  "上半身",   "首*",       "頭",     "両目",   "＋腕", "＋足*"}));
  EXPECT_EQ(table.rowCount, 22);
  EXPECT_EQ(table.displayIkRow, 1);
  EXPECT_EQ(table.boneRows[0], 0);
  EXPECT_EQ(table.boneRows[static_cast<std::size_t>(bone("首"))], 17);
  EXPECT_EQ(table.boneRows[static_cast<std::size_t>(bone("左肩"))], -20);
  EXPECT_EQ(table.boneRows[static_cast<std::size_t>(bone("右足ＩＫ"))], -21);
  EXPECT_EQ(table.boneRows[static_cast<std::size_t>(bone("頭先"))], 0);  // in no group
  EXPECT_EQ(table.morphRows[static_cast<std::size_t>(morph("まばたき"))], 6);
  EXPECT_EQ(table.shown[17].bone, bone("首"));
  EXPECT_EQ(table.shown[15].group, 3);
  EXPECT_EQ(table.shown[15].bone, -1);
  EXPECT_EQ(table.shown[17].x, 15);
}

TEST_F(DemoRows, ScrolledRowsKeepTheFirstBoneAndDropTheRowsAbove) {
  model_.groupNames[2].open = true;
  model_.groupNames[3].open = true;
  const RowTable table = modelModeRows(model_, 13);
  EXPECT_EQ(texts(table),
            (Rows{"センター", "口角下げ", "－体(上)", "上半身", "首", "頭", "両目", "＋腕", "＋足"}));
  EXPECT_EQ(table.rowCount, 22);
  EXPECT_EQ(table.displayIkRow, 0);
  EXPECT_EQ(table.morphRows[static_cast<std::size_t>(morph("まばたき"))], 0);
  EXPECT_EQ(table.boneRows[static_cast<std::size_t>(bone("首"))], 4);
  EXPECT_EQ(table.boneRows[static_cast<std::size_t>(bone("左足"))], -8);
}

TEST_F(DemoRows, AtMostFiftyTwoRowsAreShownButAllAreCounted) {
  model_.groupNames[3].open = true;
  const BoneListEntry extra{model_.bones[1].name, 3, 1};
  model_.boneList.insert(model_.boneList.end(), 60, extra);
  const RowTable table = modelModeRows(model_, 0);
  EXPECT_EQ(table.shown.size(), 52u);
  EXPECT_EQ(table.rowCount, 1 + 5 + 64);  // bone 0, five groups, 4 + 60 members of the open one
}

TEST_F(DemoRows, RowScrollStaysWithinTheRowsAndNeverGoesNegative) {
  const port::ControlState bar;
  EXPECT_EQ(scrolledRow(0, port::ScrollCode::LineDown, 0, bar, 20, 22), 1);
  EXPECT_EQ(scrolledRow(19, port::ScrollCode::PageDown, 0, bar, 20, 22), 20);
  EXPECT_EQ(scrolledRow(5, port::ScrollCode::PageUp, 0, bar, 20, 22), 0);
  port::ControlState dragged;
  dragged.position = 4;
  EXPECT_EQ(scrolledRow(4, port::ScrollCode::ThumbTrack, 9, dragged, 20, 22), 9);
  EXPECT_EQ(scrolledRow(4, port::ScrollCode::EndScroll, 9, dragged, 20, 22), 4);
  for (int rows : {0, 1}) {
    EXPECT_EQ(scrolledRow(0, port::ScrollCode::LineDown, 0, bar, 20, rows), 0) << rows;
    EXPECT_EQ(scrolledRow(0, port::ScrollCode::LineUp, 0, bar, 20, rows), 0) << rows;
  }
  EXPECT_EQ(maxRowScroll(0), 0);
}

TEST_F(DemoRows, BuildingClampsAStoredScrollAndDrawsTheNamesInRedForSelection) {
  Scene scene;
  scene.cameraMode = false;
  model_.rowScroll = 500;
  model_.boneSelected[0] = 1;
  scene.modelSlots[0] = std::make_unique<Model>(std::move(model_));
  PanelBitmaps bitmaps;
  createPanelBitmaps(bitmaps);
  const RowTable table = buildRowNames(scene, {}, bitmaps);
  EXPECT_EQ(scene.modelSlots[0]->rowScroll, table.rowCount - 2);
  // Text edges are smoothed into the brown column, so look for the red at the glyphs' hearts.
  bool red = false;
  for (int y = 17; y < 29; ++y) {
    for (int x = 1; x < 63; ++x) {
      const port::Colour pixel = bitmaps.frameEditor.pixel(x, y);
      red = red || (pixel.r > 220 && pixel.g < 115 && pixel.b < 115);
    }
  }
  EXPECT_TRUE(red) << "bone 0 is selected: its name is drawn red";
  EXPECT_EQ(bitmaps.frameEditor.pixel(200, 20), (port::Colour{19, 19, 19}));
}

TEST(CameraRows, CameraLightThenAtMostFiftyTwoPropsFromTheScroll) {
  std::vector<ListedAccessory> props;
  for (int i = 0; i < 60; ++i) {
    props.push_back({200 - i, "prop" + std::to_string(i)});
  }
  const RowTable table = cameraModeRows(props, 3);
  ASSERT_EQ(table.shown.size(), 54u);
  EXPECT_EQ(table.shown[0].name, "カメラ");
  EXPECT_EQ(table.shown[1].name, "照明");
  EXPECT_EQ(table.shown[2].name, "prop3");
  EXPECT_EQ(table.accessorySlots[0], 197);
  EXPECT_EQ(table.accessorySlots[51], 146);
  EXPECT_EQ(table.rowCount, 61);
  const RowTable few = cameraModeRows(std::span(props).first(2), 0);
  EXPECT_EQ(few.accessorySlots[1], 199);
  EXPECT_EQ(few.accessorySlots[2], -1);
}

TEST_F(DemoRows, RangeSelectionOnOneRowReplacesTheSelectionOfThatRowsPool) {
  const auto neck = static_cast<std::uint32_t>(bone("首"));
  const auto head = static_cast<std::uint32_t>(bone("頭"));
  addKeys(model_.boneKeyPool, neck, {10, 20, 30});
  addKeys(model_.boneKeyPool, head, {15});
  addKeys(model_.displayIkKeyPool, 0, {5, 25});
  model_.boneKeyPool.at(head).selected = true;

  EXPECT_TRUE(selectKeysInRange(model_, {10, 20}, "首"));
  EXPECT_EQ(selectedFrames(model_.boneKeyPool, neck), (std::vector<std::uint32_t>{10, 20}));
  EXPECT_TRUE(selectedFrames(model_.boneKeyPool, head).empty()) << "the rest of the bone pool is deselected";

  EXPECT_TRUE(selectKeysInRange(model_, {0, 5}, "表示･IK"));
  EXPECT_EQ(selectedFrames(model_.displayIkKeyPool, 0), (std::vector<std::uint32_t>{0, 5}));
  EXPECT_EQ(selectedFrames(model_.boneKeyPool, neck), (std::vector<std::uint32_t>{10, 20}))
      << "other pools keep their selection";

  EXPECT_TRUE(selectKeysInRange(model_, {-5, 0}, "センター"));
  EXPECT_EQ(selectedFrames(model_.boneKeyPool, 0), (std::vector<std::uint32_t>{0}));
  EXPECT_TRUE(selectedFrames(model_.boneKeyPool, neck).empty());

  const auto blink = static_cast<std::uint32_t>(morph("まばたき"));
  addKeys(model_.morphKeyPool, blink, {40});
  EXPECT_TRUE(selectKeysInRange(model_, {35, 45}, "まばたき"));
  EXPECT_EQ(selectedFrames(model_.morphKeyPool, blink), (std::vector<std::uint32_t>{40}));
  EXPECT_TRUE(selectKeysInRange(model_, {45, 35}, "まばたき"));
  EXPECT_TRUE(selectedFrames(model_.morphKeyPool, blink).empty()) << "a reversed range holds no frame";

  model_.morphKeyPool.at(blink).selected = true;
  EXPECT_FALSE(selectKeysInRange(model_, {0, 100}, "no such row"));
  EXPECT_EQ(selectedFrames(model_.morphKeyPool, blink), (std::vector<std::uint32_t>{0})) << "nothing changed";
}

TEST(FrameEditorBackground, ColoursAndRowLinesAtTheirPixels) {
  PanelBitmaps bitmaps;
  createPanelBitmaps(bitmaps);
  const port::Canvas& background = bitmaps.frameEditorBackground;
  ASSERT_EQ(background.width(), 1000);
  ASSERT_EQ(background.height(), 1416);
  const port::Colour grid{19, 19, 19}, brown{166, 124, 82}, corner{60, 60, 60}, keyLine{160, 65, 13},
      black{0, 0, 0};
  EXPECT_EQ(background.pixel(0, 0), corner);
  EXPECT_EQ(background.pixel(61, 14), corner);
  EXPECT_EQ(background.pixel(62, 5), grid);
  EXPECT_EQ(background.pixel(63, 1), brown);
  EXPECT_EQ(background.pixel(999, 14), brown);
  EXPECT_EQ(background.pixel(500, 0), grid);
  EXPECT_EQ(background.pixel(30, 15), black);
  EXPECT_EQ(background.pixel(30, 16), brown);
  EXPECT_EQ(background.pixel(30, 29), black);
  EXPECT_EQ(background.pixel(30, 1387), black);
  EXPECT_EQ(background.pixel(30, 1399), brown);
  EXPECT_EQ(background.pixel(30, 1401), grid);
  EXPECT_EQ(background.pixel(0, 20), grid);
  EXPECT_EQ(background.pixel(64, 29), keyLine);
  EXPECT_EQ(background.pixel(999, 43), keyLine);
  EXPECT_EQ(background.pixel(63, 29), grid);
  EXPECT_EQ(background.pixel(100, 30), grid);
  EXPECT_EQ(bitmaps.frameEditor.pixel(64, 29), keyLine);
  EXPECT_EQ(bitmaps.wavStrip.width(), 1000);
  EXPECT_EQ(bitmaps.wavStrip.height(), 50);
  EXPECT_EQ(bitmaps.preview.pixel(127, 127), (port::Colour{255, 255, 255}));
}

}  // namespace
}  // namespace zv
