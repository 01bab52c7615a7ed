#include <gtest/gtest.h>

#include "anim/sampling.h"
#include "track_builder.h"

namespace zv {
namespace {

using test::appendKey;
using test::boneKey;
using test::modelWithTracks;

const Quat kQuarterTurnY{0, 0.70710678f, 0, 0.70710678f};

float timeOfFrame(float frame) {
  return frame / kFramesPerSecond;
}

// A type-1 bone 0 whose X eases through keys at 10 and 20, a plain bone 1 with the same keys, and
// a morph keyed at 12.
Model easedBones() {
  Model model = modelWithTracks({kBoneTypeRotateMove, 0}, 1);
  MorphKey morphKey;
  morphKey.frame = 12;
  morphKey.weight = 0.75f;
  appendKey(model.morphKeyPool, 0, morphKey);
  for (std::uint32_t bone : {0u, 1u}) {
    BoneKey first = boneKey(10, {1, 0, 0});
    first.curves.setCurve(kBoneMoveX, {64, 0, 87, 87});
    BoneKey second = boneKey(20, {2, 0, 0}, kQuarterTurnY);
    second.curves.setCurve(kBoneMoveX, {40, 40, 64, 127});
    appendKey(model.boneKeyPool, bone, first);
    appendKey(model.boneKeyPool, bone, second);
  }
  return model;
}

TEST(SampleModelAtFrame, MovingBoneFollowsTheLaterKeysCurve) {
  Model model = easedBones();
  sampleModelAtFrame(model, 15);
  EXPECT_FLOAT_EQ(model.bones[0].keyTranslation.x, 1.7088726f);
  EXPECT_FLOAT_EQ(model.bones[0].keyRotation.y, 0.3826834f);
}

TEST(SampleModelAtFrame, PlainBoneMovesOnlyAtKeysButStillTurns) {
  Model model = easedBones();
  model.bones[1].keyTranslation = {7, 7, 7};
  sampleModelAtFrame(model, 15);
  EXPECT_EQ(model.bones[1].keyTranslation, (Vec3{7, 7, 7}));
  EXPECT_FLOAT_EQ(model.bones[1].keyRotation.y, 0.3826834f);
  sampleModelAtFrame(model, 20);
  EXPECT_EQ(model.bones[1].keyTranslation, (Vec3{2, 0, 0}));
  sampleModelAtFrame(model, 500);
  EXPECT_EQ(model.bones[1].keyRotation, kQuarterTurnY);
}

TEST(SampleModelAtFrame, MorphsAreLinearAndBonesWithoutTracksUntouched) {
  Model model = modelWithTracks({kBoneTypeFirstUnkeyed}, 2);
  MorphKey key;
  key.frame = 8;
  key.weight = 1.0f;
  appendKey(model.morphKeyPool, 1, key);
  BoneKey unkeyedHead = boneKey(0, {3, 3, 3});
  appendKey(model.boneKeyPool, 0, unkeyedHead);

  sampleModelAtFrame(model, 2);
  EXPECT_FLOAT_EQ(model.morphs[1].weight, 0.25f);
  EXPECT_EQ(model.morphs[0].weight, 0.0f);
  EXPECT_EQ(model.bones[0].keyTranslation, Vec3{});
}

// Visibility and IK switches step from key to key in both modes, and a key's own frame shows it.
TEST(DisplayIkTrack, HoldsThePreviousKeyAndShowsAKeyOnItsFrame) {
  Model model = modelWithTracks({0}, 0, 2);
  DisplayIkKey hidden;
  hidden.frame = 6;
  hidden.visible = false;
  hidden.ikEnabled = {true, false};
  appendKey(model.displayIkKeyPool, 0, hidden);

  sampleModelAtFrame(model, 5);
  EXPECT_TRUE(model.visible);
  EXPECT_TRUE(model.ikChains[1].enabled);
  sampleModelAtFrame(model, 6);
  EXPECT_FALSE(model.visible);
  EXPECT_FALSE(model.ikChains[1].enabled);

  seekModel(model, timeOfFrame(5.5f));
  advanceModel(model, timeOfFrame(5.5f));
  EXPECT_TRUE(model.visible);
  advanceModel(model, timeOfFrame(6));
  EXPECT_FALSE(model.visible);
  EXPECT_TRUE(model.displayIkTrackActive);
}

TEST(Playback, EqualsEditSamplingAtWholeFrames) {
  Model played = easedBones();
  Model edited = easedBones();
  seekModel(played, 0);
  for (std::uint32_t frame = 0; frame <= 30; ++frame) {
    advanceModel(played, timeOfFrame(static_cast<float>(frame)));
    sampleModelAtFrame(edited, frame);
    for (std::size_t b = 0; b < 2; ++b) {
      EXPECT_NEAR(played.bones[b].keyTranslation.x, edited.bones[b].keyTranslation.x, 1e-5) << frame;
      EXPECT_NEAR(played.bones[b].keyRotation.y, edited.bones[b].keyRotation.y, 1e-5) << frame;
    }
    EXPECT_NEAR(played.morphs[0].weight, edited.morphs[0].weight, 1e-5) << frame;
  }
}

TEST(Playback, PastTheLastKeyTheValueHoldsAndTheTrackRests) {
  Model model = easedBones();
  seekModel(model, 0);
  advanceModel(model, timeOfFrame(15));
  EXPECT_TRUE(model.boneTrackActive[0]);
  advanceModel(model, timeOfFrame(21));
  EXPECT_FALSE(model.boneTrackActive[0]);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{2, 0, 0}));
  EXPECT_EQ(model.bones[0].keyRotation, kQuarterTurnY);

  model.bones[0].keyTranslation = {9, 9, 9};  // a resting track is not sampled again
  advanceModel(model, timeOfFrame(40));
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{9, 9, 9}));
}

TEST(Playback, SeekingLandsOnTheNextKeyOrEndsTheTrack) {
  Model model = easedBones();
  seekModel(model, timeOfFrame(12));
  EXPECT_EQ(model.boneKeyPool[model.boneKeyCursors[0]].frame, 20u);
  advanceModel(model, timeOfFrame(15));
  EXPECT_FLOAT_EQ(model.bones[0].keyTranslation.x, 1.7088726f);

  seekModel(model, timeOfFrame(25));
  EXPECT_FALSE(model.boneTrackActive[0]);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{2, 0, 0}));
}

TEST(Playback, HeadOnlyTracksAndUnkeyedBones) {
  Model model = modelWithTracks({0, 7});
  appendKey(model.boneKeyPool, 0, boneKey(0, {0, 1, 0}));
  model.bones[1].keyTranslation = {5, 5, 5};
  seekModel(model, 0);
  EXPECT_FALSE(model.boneTrackActive[1]);
  for (float frame : {0.0f, 3.5f, 100.0f}) {
    advanceModel(model, timeOfFrame(frame));
    EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{0, 1, 0})) << frame;
  }
  EXPECT_EQ(model.bones[1].keyTranslation, (Vec3{5, 5, 5}));
}

// Links from a damaged file must end the walk, not loop or leave the pool.
TEST(Sampling, DamagedLinksEndTheTrack) {
  Model model = modelWithTracks({kBoneTypeRotateMove});
  std::uint32_t first = appendKey(model.boneKeyPool, 0, boneKey(10, {1, 0, 0}));
  std::uint32_t second = appendKey(model.boneKeyPool, 0, boneKey(20, {2, 0, 0}));
  BoneKey looping = model.boneKeyPool[second];
  looping.next = first;
  model.boneKeyPool.put(second, looping);

  sampleModelAtFrame(model, 30);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{2, 0, 0}));
  seekModel(model, timeOfFrame(30));
  EXPECT_FALSE(model.boneTrackActive[0]);

  looping.next = BoneKey::kPoolCapacity + 5;
  model.boneKeyPool.put(second, looping);
  sampleModelAtFrame(model, 30);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{2, 0, 0}));
}

}  // namespace
}  // namespace zv
