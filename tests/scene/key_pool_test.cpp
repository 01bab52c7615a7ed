#include "scene/keys/key_pool.h"

#include <gtest/gtest.h>

#include "scene/keys/key_free_indices.h"

namespace zv {
namespace {

TEST(KeyFreeIndices, LowestFreeIndexAcrossWordAndLevelBoundaries) {
  KeyFreeIndices free(300'000, 100);
  EXPECT_FALSE(free.isFree(99));
  EXPECT_EQ(free.lowest(), 100u);
  for (std::uint32_t index = 100; index < 299'999; ++index) {
    free.markUsed(index);
  }
  EXPECT_EQ(free.lowest(), 299'999u);
  free.markUsed(299'999);
  EXPECT_EQ(free.lowest(), std::nullopt);
  free.markFree(4'097);  // inside a word whose summary bits were all clear
  free.markFree(64 * 64 * 64 + 5);
  EXPECT_EQ(free.lowest(), 4'097u);
  free.markUsed(4'097);
  EXPECT_EQ(free.lowest(), 64u * 64 * 64 + 5);
  free.markFree(200);
  free.markFree(200);
  EXPECT_EQ(free.lowest(), 200u);
}

TEST(KeyFreeIndices, EmptyAndFullyHeadedSetsHaveNoFreeIndex) {
  EXPECT_EQ(KeyFreeIndices(0, 0).lowest(), std::nullopt);
  EXPECT_EQ(KeyFreeIndices(1000, 1000).lowest(), std::nullopt);
  EXPECT_EQ(KeyFreeIndices(1, 0).lowest(), 0u);
}

TEST(KeyPool, UntouchedRecordsReadAsTheBlankHeadValues) {
  KeyPool<BoneKey> pool(3);
  EXPECT_EQ(pool.capacity(), 300'000u);
  EXPECT_EQ(pool.extent(), 0u);
  EXPECT_EQ(pool[299'999], BoneKey{});
  EXPECT_EQ(pool[1].rotation, (Quat{0, 0, 0, 1}));
  EXPECT_EQ(pool[1].curves.curve(kBoneRotation), (InterpolationCurve{20, 20, 107, 107}));
  EXPECT_EQ(pool.lowestFree(), 3u);

  DisplayIkKey blank;
  blank.ikEnabled.assign(2, true);
  KeyPool<DisplayIkKey> displayIk(1, blank);
  EXPECT_EQ(displayIk[999].ikEnabled, (std::vector<bool>{true, true}));
  displayIk.at(5).visible = false;
  EXPECT_EQ(displayIk[4].ikEnabled, (std::vector<bool>{true, true}));
  EXPECT_EQ(displayIk.extent(), 6u);
}

TEST(KeyPool, LinkingUnlinkingAndPutKeepTheFreeRecordsInStep) {
  KeyPool<MorphKey> pool(2);
  pool.linkAfter(1, 1, 2, 10);
  EXPECT_EQ(pool.lowestFree(), 3u);
  EXPECT_EQ(pool.keyAtOrBefore(1, 50), 2u);
  MorphKey record;
  record.frame = 7;
  record.prev = 0;
  pool.put(3, record);
  MorphKey head;
  head.next = 3;
  pool.put(0, head);  // as a project load restores a track
  EXPECT_EQ(pool.lowestFree(), 4u);
  EXPECT_EQ(pool.keyAtOrBefore(0, 6), 0u);
  EXPECT_EQ(pool.keyAtOrBefore(0, 7), 3u);
  pool.unlink(2);
  EXPECT_EQ(pool.lowestFree(), 2u);
  EXPECT_EQ(pool.keyAtOrBefore(1, 50), 1u);
  EXPECT_EQ(pool[1].next, 0u);
  pool.put(0, MorphKey{});  // a head is never free
  EXPECT_EQ(pool.lowestFree(), 2u);
}

TEST(KeyPool, BrokenLinksFromOutsideNeverLoopOrLeaveThePool) {
  KeyPool<LightKey> pool;
  LightKey record;
  record.frame = 5;
  record.next = 2;
  pool.put(1, record);
  record.next = 1;  // a cycle, as a damaged project file could hold
  pool.put(2, record);
  LightKey head;
  head.next = 1;
  pool.put(0, head);
  EXPECT_EQ(pool.keyAtOrBefore(0, 3), 0u);
  record.next = 4'000'000'000u;
  pool.put(2, record);
  EXPECT_NE(pool.keyAtOrBefore(0, 9), 0u);
}

TEST(KeyPool, RecordsAreStoredInTheCurveLayoutFilesUse) {
  BoneKey key;
  key.curves.setCurve(kBoneMoveY, {1, 2, 3, 4});
  EXPECT_EQ(key.curves.x1[kBoneMoveY], 1);
  EXPECT_EQ(key.curves.y1[kBoneMoveY], 2);
  EXPECT_EQ(key.curves.x2[kBoneMoveY], 3);
  EXPECT_EQ(key.curves.y2[kBoneMoveY], 4);
  EXPECT_EQ(key.curves.x1[kBoneMoveX], 20);
  CameraKey camera;
  EXPECT_EQ(camera.curves.curve(kCameraViewAngle), InterpolationCurve{});
  EXPECT_EQ(camera.distance, -35.0f);
  EXPECT_EQ(camera.viewAngle, 45);
}

}  // namespace
}  // namespace zv
