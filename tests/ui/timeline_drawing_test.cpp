#include "ui/timeline_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "scene/document/model_reader.h"
#include "support/panel_ui.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

constexpr port::Colour kCurrent{150, 255, 150};
constexpr port::Colour kFifth{150, 150, 255};
constexpr port::Colour kPlain{50, 50, 50};

template <typename Record>
std::vector<std::uint32_t> addKeys(KeyPool<Record>& pool, std::uint32_t head,
                                   std::initializer_list<std::uint32_t> frames) {
  std::vector<std::uint32_t> added;
  std::uint32_t last = head;
  for (std::uint32_t frame : frames) {
    const std::uint32_t fresh = *pool.lowestFree();
    pool.linkAfter(head, last, fresh, frame);
    added.push_back(last = fresh);
  }
  return added;
}

class TimelineGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    createPanelBitmaps(panels_.bitmaps);
    ASSERT_TRUE(loadKeyMarks(panels_.bitmaps, std::filesystem::current_path()));
  }

  // True when the 11 x 11 mark at grid (column, row) is the strip's mark at `source`.
  bool markAt(int column, int row, int source) const {
    const int x = kFirstKeyMarkX + kColumnPitch * column;
    const int y = 17 + 14 * row;
    for (int dy = 0; dy < kKeyMarkSize; ++dy) {
      for (int dx = 0; dx < kKeyMarkSize; ++dx) {
        if (!(panels_.bitmaps.frameEditor.pixel(x + dx, y + dy) ==
              panels_.bitmaps.keyMarks.pixel(source + dx, dy))) {
          return false;
        }
      }
    }
    return true;
  }

  // Whether the frame number over column `column` holds a pixel near `colour`.
  bool numberIn(int column, port::Colour colour) const {
    const int x = kFirstColumnLineX + kColumnPitch * column - 3;
    for (int y = 3; y < 15; ++y) {
      for (int dx = 0; dx < 10; ++dx) {
        const port::Colour p = panels_.bitmaps.frameEditor.pixel(x + dx, y);
        if (std::abs(p.r - colour.r) + std::abs(p.g - colour.g) + std::abs(p.b - colour.b) < 40) {
          return true;
        }
      }
    }
    return false;
  }

  Scene scene_;
  Panels panels_;
};

TEST(TimelineColumns, FollowThePanelWidthUpToSeventy) {
  EXPECT_EQ(timelineColumns(250), 12);
  EXPECT_EQ(timelineColumns(1000), 70);
  EXPECT_EQ(timelineColumns(97), 1);
  EXPECT_EQ(timelineColumns(50), 0);
}

TEST_F(TimelineGrid, CameraModeLinesNumbersMarksAndHits) {
  const std::vector<std::uint32_t> camera = addKeys(scene_.cameraKeyPool, 0, {3, 5, 11, 12});
  scene_.cameraKeyPool.at(camera[1]).selected = true;
  const std::vector<std::uint32_t> light = addKeys(scene_.lightKeyPool, 0, {7});
  scene_.accessories[4].loaded = true;
  const std::vector<std::uint32_t> prop = addKeys(scene_.accessoryKeyPools[4], 0, {1});
  panels_.rows = cameraModeRows(std::vector<ListedAccessory>{{4, "lamp"}}, 0);
  scene_.currentFrame = 2;

  drawTimelineGrid(scene_, panels_);

  const port::Canvas& grid = panels_.bitmaps.frameEditor;
  EXPECT_EQ(grid.pixel(67 + 13 * 2, 400), kCurrent);
  EXPECT_EQ(grid.pixel(67 + 13 * 5, 400), kFifth);
  EXPECT_EQ(grid.pixel(67 + 13 * 10, 16), kFifth);
  EXPECT_EQ(grid.pixel(67 + 13 * 1, 755), kPlain);
  EXPECT_EQ(grid.pixel(67 + 13 * 1, 756), grid.pixel(66, 756)) << "lines end at y 755";
  EXPECT_EQ(grid.pixel(67 + 13 * 12, 400), (port::Colour{19, 19, 19})) << "no 13th column at width 250";
  EXPECT_TRUE(numberIn(2, kCurrent));
  EXPECT_TRUE(numberIn(0, {60, 60, 60}));
  EXPECT_TRUE(numberIn(5, {60, 60, 60}));
  EXPECT_FALSE(numberIn(3, {60, 60, 60}));

  EXPECT_TRUE(markAt(0, 0, 0));
  EXPECT_TRUE(markAt(3, 0, 0));
  EXPECT_TRUE(markAt(5, 0, 22));
  EXPECT_TRUE(markAt(11, 0, 0));
  EXPECT_TRUE(markAt(7, 1, 0));
  EXPECT_TRUE(markAt(1, 2, 0));
  EXPECT_FALSE(markAt(4, 0, 0));

  const TimelineHits& hits = panels_.timeline.hits;
  EXPECT_EQ(hits.camera.at(0, 0), kHeadKeyCell);
  EXPECT_EQ(hits.camera.at(3, 0), static_cast<std::int32_t>(camera[0]));
  EXPECT_EQ(hits.camera.at(5, 0), static_cast<std::int32_t>(camera[1]));
  EXPECT_EQ(hits.camera.at(4, 0), 0);
  EXPECT_EQ(hits.light.at(7, 1), static_cast<std::int32_t>(light[0]));
  EXPECT_EQ(hits.accessory.at(1, 2), static_cast<std::int32_t>(prop[0]));
  EXPECT_EQ(hits.accessory.at(0, 2), kHeadKeyCell);

  panels_.timeline.firstVisibleFrame = 5;
  drawTimelineGrid(scene_, panels_);
  EXPECT_TRUE(markAt(0, 0, 22));
  EXPECT_TRUE(markAt(7, 0, 0)) << "frame 12 is column 7 once frame 5 leads";
  EXPECT_EQ(panels_.timeline.hits.camera.at(0, 0), static_cast<std::int32_t>(camera[1]));
  EXPECT_EQ(panels_.timeline.hits.accessory.at(0, 2), 0) << "the prop's keys are scrolled away";
}

TEST_F(TimelineGrid, ClosedGroupKeepsItsSelectedKeyOnTop) {
  auto model = std::make_unique<Model>();
  std::filesystem::path file = "UserFile/Model/tessera.tsm";
  ASSERT_FALSE(readModelFile(file, std::filesystem::current_path(), *model));
  std::vector<int> members;
  for (const BoneListEntry& entry : model->boneList) {
    if (entry.group == 3) {
      members.push_back(entry.boneIndex);
    }
  }
  ASSERT_GE(members.size(), 2u);
  std::sort(members.begin(), members.end());
  model->groupNames[3].open = false;
  const std::uint32_t selected = addKeys(model->boneKeyPool, members[0], {4})[0];
  model->boneKeyPool.at(selected).selected = true;
  addKeys(model->boneKeyPool, members[1], {4, 6});
  const std::uint32_t bone0Key = addKeys(model->boneKeyPool, 0, {2})[0];
  scene_.cameraMode = false;
  scene_.modelSlots[0] = std::move(model);
  panels_.rows = modelModeRows(*scene_.modelSlots[0], 0);
  const int groupRow = -panels_.rows.boneRows[members[0]];
  ASSERT_GT(groupRow, 0);

  drawTimelineGrid(scene_, panels_);

  EXPECT_TRUE(markAt(4, groupRow, 33));
  EXPECT_TRUE(markAt(6, groupRow, 11));
  EXPECT_TRUE(markAt(0, groupRow, 11)) << "the members' heads";
  EXPECT_TRUE(markAt(2, 0, 0));
  const TimelineHits& hits = panels_.timeline.hits;
  EXPECT_EQ(hits.bone.at(4, groupRow), static_cast<std::int32_t>(selected));
  EXPECT_EQ(hits.bone.at(0, 0), kHeadKeyCell);
  EXPECT_EQ(hits.headBone.at(0, 0), 0);
  EXPECT_EQ(hits.bone.at(2, 0), static_cast<std::int32_t>(bone0Key));
  EXPECT_EQ(hits.bone.at(0, groupRow), kHeadKeyCell);
  EXPECT_EQ(hits.headBone.at(0, groupRow), members.back());
  if (panels_.rows.displayIkRow > 0) {
    EXPECT_EQ(hits.displayIk.at(0, panels_.rows.displayIkRow), kHeadKeyCell);
  }
}

TEST_F(TimelineGrid, ScrollRangeReachesHalfAPagePastTheCurrentFrame) {
  auto ui = test::makePanelUi();
  scene_.panelWidth = 250;  // 12 columns
  scene_.currentFrame = 100;
  panels_.timeline.firstVisibleFrame = 94;
  setFrameScrollBar(*ui, scene_, panels_.timeline);
  port::ControlState bar = ui->control(kFrameScrollBar);
  EXPECT_EQ(bar.page, 12);
  EXPECT_EQ(bar.position, 94);
  EXPECT_EQ(bar.rangeMax, 105);  // first + 12 = 106 beats 101 and 1

  scene_.lastFrame = 300;
  setFrameScrollBar(*ui, scene_, panels_.timeline);
  EXPECT_EQ(ui->control(kFrameScrollBar).rangeMax, 300);

  scene_.lastFrame = 0;
  scene_.currentFrame = 500;
  panels_.timeline.firstVisibleFrame = 0;
  setFrameScrollBar(*ui, scene_, panels_.timeline);
  EXPECT_EQ(ui->control(kFrameScrollBar).rangeMax, 505);
}

}  // namespace
}  // namespace zv
