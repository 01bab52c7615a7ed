#include "anim/morph_frame_edits.h"

#include <gtest/gtest.h>

#include "edited_model.h"
#include "scene/keys/key_registration.h"

namespace zv {
namespace {

using test::EditedModel;
using test::keyTestModel;
using test::trackFrames;

// Morph 1 is a lip morph keyed at 5 and 40, morph 2 an eye morph keyed at 5, morph 3 a second
// lip morph without keys.
struct MorphScene : EditedModel {
  MorphScene() : EditedModel(keyTestModel({"a"}, 4)) {
    model->morphs[1].category = kLipMorph;
    model->morphs[2].category = kEyeMorph;
    model->morphs[3].category = kLipMorph;
    key(1, 5, 0.25f);
    key(1, 40, 0.75f);
    key(2, 5, 0.5f);
  }
  void key(std::uint32_t morph, std::uint32_t frame, float weight) {
    model->morphs[morph].weight = weight;
    ASSERT_TRUE(registerMorphKey(scene, *model, morph, frame));
  }
};

TEST(LipKeyShift, AKeyShiftedToFrameZeroOrBeforeIsFreedAndTheRestMove) {
  MorphScene t;
  Model& model = *t.model;
  t.scene.currentFrame = 30;
  ASSERT_TRUE(shiftLipKeys(t.scene, model, -10));
  EXPECT_EQ(trackFrames(model.morphKeyPool, 1), (std::vector<std::uint32_t>{0, 30}));
  EXPECT_EQ(model.morphKeyPool[4], MorphKey{});  // the key that was at 5
  EXPECT_EQ(model.morphKeyPool[5].prev, 1u);
  EXPECT_EQ(trackFrames(model.morphKeyPool, 2), (std::vector<std::uint32_t>{0, 5}));
  EXPECT_EQ(model.morphs[1].weight, 0.75f);  // sampled again at the current frame

  const std::optional<std::uint32_t> freed = model.morphKeyPool.lowestFree();
  ASSERT_TRUE(freed);
  EXPECT_EQ(*freed, 4u);
}

TEST(LipKeyShift, APositiveShiftMovesEveryLipKeyAndRaisesTheLastFrame) {
  MorphScene t;
  Model& model = *t.model;
  ASSERT_TRUE(shiftLipKeys(t.scene, model, 10));
  EXPECT_EQ(trackFrames(model.morphKeyPool, 1), (std::vector<std::uint32_t>{0, 15, 50}));
  EXPECT_EQ(model.lastFrame, 50u);
  EXPECT_EQ(trackFrames(model.morphKeyPool, 3), (std::vector<std::uint32_t>{0}));
}

TEST(LipKeyShift, ShiftsNeverWrapAndResultsBeyondTheLastFrameAreRefused) {
  MorphScene t;
  Model& model = *t.model;
  t.key(3, 2'147'483'000, 1.0f);
  std::vector<MorphKey> before;
  for (std::uint32_t index = 0; index < 8; ++index) {
    before.push_back(model.morphKeyPool[index]);
  }

  const Outcome refused = shiftLipKeys(t.scene, model, 648);
  EXPECT_FALSE(refused);
  ASSERT_EQ(refused.messages.size(), 1u);
  EXPECT_EQ(refused.messages[0], lipShiftBeyondLastFrameMessage());
  for (std::uint32_t index = 0; index < 8; ++index) {
    EXPECT_EQ(model.morphKeyPool[index], before[index]) << index;
  }

  ASSERT_TRUE(shiftLipKeys(t.scene, model, 647));
  EXPECT_EQ(trackFrames(model.morphKeyPool, 3), (std::vector<std::uint32_t>{0, 2'147'483'647}));

  ASSERT_TRUE(shiftLipKeys(t.scene, model, INT32_MIN));
  EXPECT_EQ(trackFrames(model.morphKeyPool, 1), (std::vector<std::uint32_t>{0}));
  EXPECT_EQ(trackFrames(model.morphKeyPool, 3), (std::vector<std::uint32_t>{0}));
  EXPECT_EQ(trackFrames(model.morphKeyPool, 2), (std::vector<std::uint32_t>{0, 5}));
}

TEST(MorphKeyClearing, OnlyTheKindAskedForLosesItsKeysAndItsHeadWeight) {
  MorphScene t;
  Model& model = *t.model;
  t.key(2, 0, 0.9f);
  t.key(2, 60, 0.3f);
  clearMorphKeysOfKind(t.scene, model, kEyeMorph);
  EXPECT_EQ(trackFrames(model.morphKeyPool, 2), (std::vector<std::uint32_t>{0}));
  EXPECT_EQ(model.morphKeyPool[2], MorphKey{});
  EXPECT_EQ(model.morphs[2].weight, 0.0f);
  EXPECT_EQ(trackFrames(model.morphKeyPool, 1), (std::vector<std::uint32_t>{0, 5, 40}));

  // The freed records are found again by the next registration.
  t.key(1, 70, 0.5f);
  EXPECT_EQ(model.morphKeyPool[6].frame, 70u);
}

}  // namespace
}  // namespace zv
